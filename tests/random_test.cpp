// The generator: its sequence from a known seed, its range, and the seed taken from the clock.
#include <gtest/gtest.h>

#include <vector>

#include "dictionary/random.h"

namespace {

struct Draw {
    std::uint32_t bound;
    std::uint32_t expected;
};

struct SequenceRow {
    const char* name;
    std::vector<Draw> draws;
};

void PrintTo(const SequenceRow& row, std::ostream* out) { *out << row.name; }

class DrawSequence : public testing::TestWithParam<SequenceRow> {};

// From a seed of 0, the sequences the quiz and the flash cards depend on.
TEST_P(DrawSequence, FromSeedZero) {
    RandomSeed = 0;
    for (const Draw& draw : GetParam().draws) EXPECT_EQ(RandomBelow(draw.bound), draw.expected) << draw.bound;
}

INSTANTIATE_TEST_SUITE_P(
    Random, DrawSequence,
    testing::Values(SequenceRow{"TwoIndices", {{5285, 0}, {5285, 165}}},
                    SequenceRow{"MixedTypedQuestion", {{2, 0}, {5285, 165}}},
                    SequenceRow{"MixedChoiceQuestion",
                                {{5, 0}, {5285, 165}, {2, 1}, {1057, 214}, {1057, 288}, {1057, 709}, {1057, 336},
                                 {1057, 171}}},
                    SequenceRow{"FixedDirectionChoiceQuestion",
                                {{5, 0}, {5285, 165}, {1057, 910}, {1057, 214}, {1057, 288}, {1057, 709},
                                 {1057, 336}}}),
    [](const testing::TestParamInfo<SequenceRow>& info) { return info.param.name; });

TEST(Random, SeedAdvancesByTheMultiplierModulo2To32) {
    RandomSeed = 0;
    RandomBelow(5285);
    EXPECT_EQ(RandomSeed, 1u);
    RandomBelow(5285);
    EXPECT_EQ(RandomSeed, 134775814u);
    RandomSeed = 0xFFFFFFFFu;
    RandomBelow(7);
    EXPECT_EQ(RandomSeed, 0xFFFFFFFFu * 134775813u + 1u);
}

TEST(Random, StaysBelowTheBoundForAnyBound) {
    const std::uint32_t bounds[] = {1, 2, 5, 1057, 5285, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    for (std::uint32_t bound : bounds) {
        RandomSeed = bound * 2654435761u;
        for (int i = 0; i < 20000; ++i) ASSERT_LT(RandomBelow(bound), bound) << "bound " << bound;
    }
    RandomSeed = 0xFFFFFFFEu;  // the seed after the step is 0xFFFFFFFF * multiplier + 1: large
    EXPECT_EQ(RandomBelow(0), 0u);
}

TEST(Random, IndicesCoverOneTo5285) {
    RandomSeed = 12345;
    int lowest = kWordCount, highest = 1;
    for (int i = 0; i < 200000; ++i) {
        const WordIndex index = RandomIndex();
        ASSERT_GE(index, 1);
        ASSERT_LE(index, kWordCount);
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, kWordCount);
}

SYSTEMTIME At(WORD hour, WORD minute, WORD second, WORD milliseconds) {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 6;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    return time;
}

TEST(Random, SeedIsMillisecondsSinceMidnight) {
    EXPECT_EQ(SeedOfTime(At(0, 0, 0, 0)), 0u);
    EXPECT_EQ(SeedOfTime(At(23, 59, 59, 999)), 86399999u);
    EXPECT_EQ(SeedOfTime(At(12, 34, 56, 789)), ((12u * 60 + 34) * 60 + 56) * 1000 + 789);
}

TEST(Random, SeedRandomReadsTheUtcClock) {
    SYSTEMTIME before, after;
    GetSystemTime(&before);
    SeedRandom();
    GetSystemTime(&after);
    const std::uint32_t low = SeedOfTime(before), high = SeedOfTime(after);
    if (low <= high) {  // unless midnight passed in between
        EXPECT_GE(RandomSeed, low);
        EXPECT_LE(RandomSeed, high);
    }
    EXPECT_LT(RandomSeed, 86400000u);
}

}  // namespace
