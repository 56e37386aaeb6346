#include "platform/ManualClock.h"
#include "simulation/Random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Random, SeedFollowsTheLinearCongruentialStep)
{
    RandSeed = 0;
    EXPECT_EQ(Random(100), 0u); // seed 1: 100 / 2^32
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(100), 3u); // seed 134775814: 13477581400 / 2^32 = 3.1
    EXPECT_EQ(RandSeed, 134775814u);
    RandSeed = 0xFFFFFFFFu;
    Random(7);
    EXPECT_EQ(RandSeed, 0xF7F77BFCu); // -134775813 + 1 modulo 2^32
}

struct TDrawCase {
    uint32_t Seed;
    uint32_t Range;
    uint32_t Expected;
};

class RandomDraw : public testing::TestWithParam<TDrawCase> {};

// The result is the upper half of the 64-bit product of the new seed and the range.
TEST_P(RandomDraw, ResultIsTheUpperHalfOfSeedTimesRange)
{
    RandSeed = GetParam().Seed;
    EXPECT_EQ(Random(GetParam().Range), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomDraw,
    testing::Values(TDrawCase{0x4D60AE66u, 359, 358}, // next seed 0xFFFFFFFF: the top of the range
        TDrawCase{0x4D60AE66u, 0xFFFFFFFFu, 0xFFFFFFFEu}, TDrawCase{0xA6B05733u, 10, 5}, // next seed 2^31: the middle
        TDrawCase{0xFFFFFFFFu, 0, 0}, TDrawCase{0x4D60AE66u, 1, 0}));

TEST(Random, DrawsStayBelowTheRange)
{
    RandSeed = 12345;
    for (const uint32_t range : {1u, 2u, 359u, 1000u, 0x80000000u, 0xFFFFFFFFu})
        for (int i = 0; i < 5000; ++i)
            ASSERT_LT(Random(range), range) << range;
}

TEST(Random, ReseedingTakesTheUtcTimeOfDay)
{
    TManualClock clock(777, 45296789);
    RandSeed = 1;
    Randomize(clock);
    EXPECT_EQ(RandSeed, 45296789u);
    const uint32_t first = Random(359);
    Randomize(clock);
    EXPECT_EQ(Random(359), first);
}

} // namespace
