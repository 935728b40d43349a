// SPDX-License-Identifier: GPL-3.0-or-later
// Interface texts are written in the sources as ordinary (UTF-8) literals and turned into
// Windows-1251 bytes at compile time, since every text the program hands to the window
// system is an 8-bit Windows-1251 string.
#pragma once

#include <cstddef>

#include "platform/cp1251.h"

template <std::size_t N>
struct AnsiText {
    char bytes[N] = {};
    constexpr operator const char*() const { return bytes; }
};

// A literal with a character outside Windows-1251 does not compile.
template <std::size_t N>
consteval AnsiText<N> Ansi(const char (&utf8)[N]) {
    AnsiText<N> result;
    bool complete = false;
    cp1251::FromUtf8(utf8, N - 1, result.bytes, complete);
    if (!complete) throw "character outside Windows-1251";
    return result;
}
