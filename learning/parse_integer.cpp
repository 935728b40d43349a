// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning/parse_integer.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Skips the hexadecimal prefix, if there is one.
bool TakeHexPrefix(const char*& p) {
    if (*p == '$' || *p == 'x' || *p == 'X') {
        ++p;
        return true;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        return true;
    }
    return false;
}

}  // namespace

std::int32_t ParseInteger(const char* text) {
    const char* p = text;
    while (*p == ' ') ++p;
    bool negative = false, signed_ = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        signed_ = true;
        ++p;
    }
    const bool hex = !signed_ && TakeHexPrefix(p);
    std::uint32_t value = 0;
    for (; *p; ++p) {
        const int digit = hex ? HexDigit(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        const bool overflows = hex ? value > 0x0FFFFFFFu : value > 214748364u;
        if (digit < 0 || overflows) return static_cast<std::int32_t>(value);
        value = value * (hex ? 16u : 10u) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}
