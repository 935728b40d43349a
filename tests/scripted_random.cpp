#include "tests/scripted_random.h"

#include "dictionary/random.h"

std::deque<std::uint32_t> ScriptedDraws;
std::vector<std::uint32_t> DrawBounds;
std::uint32_t RandomSeed = 0;

std::uint32_t RandomBelow(std::uint32_t n) {
    DrawBounds.push_back(n);
    if (ScriptedDraws.empty()) return 0;
    const std::uint32_t value = ScriptedDraws.front();
    ScriptedDraws.pop_front();
    return value;
}

WordIndex RandomIndex() { return static_cast<WordIndex>(RandomBelow(kWordCount)) + 1; }
void SeedRandom() {}
