// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the number a learner typed: decimal, or hexadecimal after "$", "x" or "0x".
#pragma once

#include <cstdint>

// Leading blanks are skipped and one sign may follow. The first character that is not a digit
// of the number stops the reading, and so does a digit that would overflow 32 bits; the value
// read so far is then the result, without its sign. A complete text gets its sign, and a value
// of 2^31 or more comes out as the negative 32-bit integer with the same bits.
std::int32_t ParseInteger(const char* text);
