// SPDX-License-Identifier: GPL-3.0-or-later
// The generator every word is drawn from: a 32-bit linear congruential generator seeded from
// the time of day.
#pragma once

#include <cstdint>

#include "dictionary/dictionary.h"

extern std::uint32_t RandomSeed;

// Milliseconds since midnight of the given (UTC) time: 0 to 86399999.
std::uint32_t SeedOfTime(const SYSTEMTIME& time);
void SeedRandom();
// The next value of the generator in 0 .. n-1.
std::uint32_t RandomBelow(std::uint32_t n);
inline WordIndex RandomIndex() { return static_cast<WordIndex>(RandomBelow(kWordCount)) + 1; }
