// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/random.h"

std::uint32_t RandomSeed = 0;

std::uint32_t SeedOfTime(const SYSTEMTIME& time) {
    return ((static_cast<std::uint32_t>(time.wHour) * 60 + time.wMinute) * 60 + time.wSecond) * 1000 +
           time.wMilliseconds;
}

void SeedRandom() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    RandomSeed = SeedOfTime(now);
}

std::uint32_t RandomBelow(std::uint32_t n) {
    RandomSeed = RandomSeed * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * RandomSeed) >> 32);
}
