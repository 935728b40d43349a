// SPDX-License-Identifier: GPL-3.0-or-later
// The word pairs compiled into the program, and the generator every word is drawn from.

#include <ctime>
#include <fstream>
#include <set>

#include "dictionary/random.h"
#include "tests/support.h"

namespace {

TEST(Dictionary, EveryIndexLoadsTheWordListsPairInWindows1251) {
    std::ifstream list(VOCARTA_WORD_LIST);
    std::string number, russian, italian;
    WordIndex index = 0;
    while (std::getline(list, number, '\t') && std::getline(list, russian, '\t') && std::getline(list, italian)) {
        ASSERT_EQ(number, std::to_string(++index));
        EXPECT_EQ(RussianText(index), Cp1251(russian));
        EXPECT_EQ(ItalianText(index), Cp1251(italian));
    }
    EXPECT_EQ(index, kWordCount);
    for (UINT id : {0u, kWordCount + 1u, kItalianBase, kItalianBase + kWordCount + 1}) EXPECT_EQ(LoadText(id), "");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), kItalianBase + 1, buffer, 6), 5) << "cut at the buffer's end";
    EXPECT_STREQ(buffer, "parag");
}

// From a seed of 0, the draws of a choice question's worked example: bound, draw.
TEST(Random, DrawsFromSeedZero) {
    const std::pair<std::uint32_t, std::uint32_t> draws[] = {
        {5, 0}, {5285, 165}, {2, 1}, {1057, 214}, {1057, 288}, {1057, 709}, {1057, 336}, {1057, 171}};
    RandomSeed = 0;
    for (const auto& [bound, draw] : draws) EXPECT_EQ(RandomBelow(bound), draw) << bound;
    RandomSeed = 0xFFFFFFFFu;
    EXPECT_EQ(RandomBelow(0xFFFFFFFFu), 0xFFFFFFFFu * 134775813u) << "the seed steps modulo 2^32";
    std::set<WordIndex> drawn;
    for (int i = 0; i < 100000; ++i) drawn.insert(RandomIndex());
    EXPECT_TRUE(*drawn.begin() == 1 && *drawn.rbegin() == kWordCount && drawn.size() == kWordCount) << "each index";
}

TEST(Random, SeedIsMillisecondsSinceMidnightUtc) {
    EXPECT_EQ(SeedOfTime({2026, 12, 0, 6, 0, 0, 0, 0}), 0u);
    EXPECT_EQ(SeedOfTime({2026, 12, 0, 6, 23, 59, 59, 999}), 86399999u);
    setenv("TZ", "Asia/Kathmandu", 1);  // UTC+5:45: differs from UTC in hours and minutes
    tzset();
    SeedRandom();
    const long utcMilliseconds = std::time(nullptr) % 86400 * 1000L;  // Unix time counts no leap seconds
    const long apart = (utcMilliseconds - RandomSeed + 86400000L) % 86400000L;
    EXPECT_TRUE(apart < 2000 || apart > 86398000) << RandomSeed << " against " << utcMilliseconds;
}

}  // namespace
