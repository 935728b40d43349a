// SPDX-License-Identifier: GPL-3.0-or-later
// Interface texts are written in the sources as ordinary (UTF-8) literals. The program hands every
// text to the window system through the ...A functions, in the process's ANSI code page: UTF-8
// where Windows lets the program choose it (its manifest asks for UTF-8, which Windows 10 1903 and
// later grant), otherwise Windows-1251 as on a Russian Windows, and always on the Qt layer. Both
// forms of each literal are made at compile time and the code page picks one at run time.
#pragma once

#include <cstddef>

#include "platform/cp1251.h"
#include "platform/win32.h"

inline bool TextsAreUtf8() { return GetACP() == CP_UTF8; }

template <std::size_t N>
struct AnsiText {
    char utf8[N] = {};
    char windows1251[N] = {};
    operator const char*() const { return TextsAreUtf8() ? utf8 : windows1251; }
};

// A literal with a character outside Windows-1251 does not compile.
template <std::size_t N>
consteval AnsiText<N> Ansi(const char (&utf8)[N]) {
    AnsiText<N> result;
    for (std::size_t i = 0; i < N; ++i) result.utf8[i] = utf8[i];
    bool complete = false;
    cp1251::FromUtf8(utf8, N - 1, result.windows1251, complete);
    if (!complete) throw "character outside Windows-1251";
    return result;
}
