// The word pairs compiled into the program, and the generator every word is drawn from.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <set>
#include <sstream>

#include "dictionary/random.h"
#include "tests/support.h"

namespace {

TEST(Dictionary, EveryIndexLoadsTheWordListsPair) {
    std::ifstream list(VOCARTA_WORD_LIST);
    std::string line, previousHeadword;
    WordIndex index = 0;
    while (std::getline(list, line)) {
        std::stringstream fields(line);
        std::string number, russian, italian;
        std::getline(std::getline(std::getline(fields, number, '\t'), russian, '\t'), italian);
        ASSERT_EQ(number, std::to_string(++index));
        EXPECT_EQ(RussianText(index), Cp1251(russian)) << index;
        EXPECT_EQ(ItalianText(index), Cp1251(italian)) << index;
        EXPECT_EQ(Cp1251(russian + italian).find('?'), std::string::npos) << "outside Windows-1251: " << line;
    }
    EXPECT_EQ(index, kWordCount);
    for (UINT id : {0u, kWordCount + 1u, kItalianBase, kItalianBase + kWordCount + 1, 0xFFFFFFFFu})
        EXPECT_EQ(LoadText(id), "") << id;
}

TEST(Dictionary, TellingRows) {
    EXPECT_EQ(RussianText(1), Cp1251("абзац"));
    EXPECT_EQ(ItalianText(1), "linea, settore, paragrafo");
    EXPECT_EQ(ItalianText(57), Cp1251("antichitа")) << "the accent's stand-in is the Windows-1251 byte of а";
    EXPECT_EQ(ItalianText(kWordCount), "tasca, valigia, affare, astuccio, decadimento");
}

TEST(Dictionary, LoadStringCutsAtTheBufferSize) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), kItalianBase + 1, buffer, 6), 5);
    EXPECT_STREQ(buffer, "linea");
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), kItalianBase + 1, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}

// ---- The generator ---------------------------------------------------------------------------

struct Draw {
    std::uint32_t bound, expected;
};
struct SequenceRow {
    const char* name;
    std::vector<Draw> draws;
};
void PrintTo(const SequenceRow& row, std::ostream* out) { *out << row.name; }

class DrawsFromSeedZero : public testing::TestWithParam<SequenceRow> {};

// The sequences of the exercises' worked examples.
TEST_P(DrawsFromSeedZero, AreTheDocumentedOnes) {
    RandomSeed = 0;
    for (const Draw& draw : GetParam().draws) EXPECT_EQ(RandomBelow(draw.bound), draw.expected) << draw.bound;
}

INSTANTIATE_TEST_SUITE_P(
    Random, DrawsFromSeedZero,
    testing::Values(SequenceRow{"TwoIndices", {{5285, 0}, {5285, 165}}},
                    SequenceRow{"MixedTypedQuestion", {{2, 0}, {5285, 165}}},
                    SequenceRow{"MixedChoiceQuestion",
                                {{5, 0}, {5285, 165}, {2, 1}, {1057, 214}, {1057, 288}, {1057, 709}, {1057, 336},
                                 {1057, 171}}},
                    SequenceRow{"FixedDirectionChoiceQuestion",
                                {{5, 0}, {5285, 165}, {1057, 910}, {1057, 214}, {1057, 288}, {1057, 709},
                                 {1057, 336}}}),
    [](const testing::TestParamInfo<SequenceRow>& info) { return info.param.name; });

TEST(Random, SeedStepsModulo2To32AndDrawsStayBelowTheBound) {
    RandomSeed = 0xFFFFFFFFu;
    RandomBelow(7);
    EXPECT_EQ(RandomSeed, 0xFFFFFFFFu * 134775813u + 1u);
    for (std::uint32_t bound : {1u, 2u, 0x80000000u, 0xFFFFFFFFu})
        for (int i = 0; i < 1000; ++i) ASSERT_LT(RandomBelow(bound), bound);
    int lowest = kWordCount, highest = 1;
    for (int i = 0; i < 100000; ++i) {
        lowest = std::min(lowest, RandomIndex());
        highest = std::max(highest, RandomIndex());
    }
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, kWordCount);
}

TEST(Random, SeedIsMillisecondsSinceMidnightUtc) {
    EXPECT_EQ(SeedOfTime({2026, 12, 0, 6, 0, 0, 0, 0}), 0u);
    EXPECT_EQ(SeedOfTime({2026, 12, 0, 6, 23, 59, 59, 999}), 86399999u);
    EXPECT_EQ(SeedOfTime({2026, 12, 0, 6, 12, 34, 56, 789}), 45296789u);
    setenv("TZ", "Asia/Kathmandu", 1);  // UTC+5:45: differs from UTC in hours and minutes
    tzset();
    SeedRandom();
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const long utcMilliseconds = ((utc.tm_hour * 60L + utc.tm_min) * 60 + utc.tm_sec) * 1000;
    const long apart = (utcMilliseconds - RandomSeed + 86400000L) % 86400000L;
    EXPECT_TRUE(apart < 2000 || apart > 86398000) << RandomSeed << " against " << utcMilliseconds;
}

}  // namespace
