#include "sprites/Saturating.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int64_t Min64 = std::numeric_limits<int64_t>::min();
constexpr int64_t Max64 = std::numeric_limits<int64_t>::max();

TEST(TruncSaturating, TruncatesTowardZeroAndHoldsTheEnds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int32_t narrow;
        int64_t wide;
    } cases[] = {
        {2.9, 2, 2},
        {-2.9, -2, -2},
        {-0.5, 0, 0},
        {nan, 0, 0},
        {2147483647.5, Max32, 2147483647},
        {2147483648.0, Max32, 2147483648},
        {-2147483648.0, Min32, -2147483648},
        {-2147483648.9, Min32, -2147483648},
        {-2147483649.0, Min32, -2147483649},
        {9223372036854775808.0, Max32, Max64},
        {-9223372036854775808.0, Min32, Min64},
        {-1e19, Min32, Min64},
        {inf, Max32, Max64},
        {-inf, Min32, Min64},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TruncSaturating<int32_t>(c.value), c.narrow) << c.value;
        EXPECT_EQ(TruncSaturating<int64_t>(c.value), c.wide) << c.value;
    }
}

TEST(SaturateToInt32, HoldsTheEnds)
{
    EXPECT_EQ(SaturateToInt32(int64_t{Max32} + 1), Max32);
    EXPECT_EQ(SaturateToInt32(int64_t{Min32} - 1), Min32);
    EXPECT_EQ(SaturateToInt32(-7), -7);
    EXPECT_EQ(SaturateToInt32(Min64), Min32);
}

} // namespace
