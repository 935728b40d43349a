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
    std::size_t in = 0, out = 0;
    while (in + 1 < N) {
        const int byte = cp1251::FromUnicode(cp1251::DecodeUtf8(utf8, N - 1, in));
        if (byte < 0) throw "character outside Windows-1251";
        result.bytes[out++] = static_cast<char>(byte);
    }
    return result;
}
