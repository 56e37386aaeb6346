#include "drawing/rotated/Truncate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class RotatedTruncate : public ::testing::TestWithParam<long double> {};

TEST_P(RotatedTruncate, AgreesWithTruncationTowardZero)
{
    const long double value = GetParam();
    // Both ways: the one this processor takes, and the one it would take without the truncating store.
    EXPECT_EQ(TruncateExtended(value), static_cast<int64_t>(std::trunc(value))) << static_cast<double>(value);
    EXPECT_EQ(TruncateBySum(value), static_cast<int64_t>(std::trunc(value))) << static_cast<double>(value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RotatedTruncate,
    ::testing::Values(0.0L, -0.0L, 0.3L, -0.3L, 0.5L, -0.5L, 0.7L, -0.7L, 1.0L, -1.0L, 1.5L, -1.5L, 2.5L, -2.5L,
                      57.0L, -57.0L, 57.0L - 2.7e-18L, -57.0L + 2.7e-18L, 1.0L - 1e-19L, -1.0L + 1e-19L,
                      1.0L + 1e-18L, -1.0L - 1e-18L, 1e-300L, -1e-300L, 123456789.999L, -123456789.999L,
                      0x1p61L - 1, -0x1p61L + 1, 0x1p61L - 0.5L, -0x1p61L + 0.5L, -0x1p61L, 0x1p60L + 0.75L));

} // namespace
