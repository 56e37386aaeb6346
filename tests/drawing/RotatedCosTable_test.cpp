#include "drawing/CosTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RotatedCosTable, HalfTurnsAreExactAndQuarterTurnsTinyButNotZero)
{
    const auto& table = CosTable();
    EXPECT_EQ(table[0], 1.0);
    EXPECT_EQ(table[128], -1.0);
    EXPECT_LT(table[64], -2.0e-20);
    EXPECT_GT(table[64], -3.0e-20);
    EXPECT_GT(table[192], 1.7e-19);
    EXPECT_LT(table[192], 1.9e-19);
}

TEST(RotatedCosTable, FollowsTheCosineAroundTheTurn)
{
    const auto& table = CosTable();
    for (int k = 0; k < 256; ++k)
        EXPECT_NEAR(table[static_cast<size_t>(k)], std::cos(k * M_PI / 128), 1e-15) << k;
}

struct TAngleCase {
    int32_t Angle;
    size_t CosIndex;
    size_t SinIndex;
};

class RotatedAngles : public ::testing::TestWithParam<TAngleCase> {};

TEST_P(RotatedAngles, OnlyTheLowEightBitsCount)
{
    const TAngleCase& c = GetParam();
    EXPECT_EQ(CosOfAngle(c.Angle), CosTable()[c.CosIndex]);
    EXPECT_EQ(SinOfAngle(c.Angle), CosTable()[c.SinIndex]);
}

INSTANTIATE_TEST_SUITE_P(Angles, RotatedAngles,
                         ::testing::Values(TAngleCase{0, 0, 192}, TAngleCase{64, 64, 0}, TAngleCase{-64, 192, 128},
                                           TAngleCase{256 + 5, 5, 197}, TAngleCase{-1, 255, 191},
                                           TAngleCase{INT32_MIN, 0, 192}, TAngleCase{INT32_MAX, 255, 191}));

TEST(RotatedAngles, SineLeadsTheCosineByAQuarterTurn)
{
    EXPECT_EQ(SinOfAngle(64), 1.0);
    EXPECT_EQ(SinOfAngle(-64), -1.0);
    EXPECT_NEAR(SinOfAngle(32), std::sqrt(0.5), 1e-15);
}

} // namespace
