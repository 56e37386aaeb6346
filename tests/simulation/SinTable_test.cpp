#include "simulation/SinTable.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SinTable, HoldsTheNearestDoubles)
{
    TSinTable t{};
    FillSinTable(t);
    for (int i : {30, 150, 390})
        EXPECT_EQ(t[static_cast<size_t>(i)], 0.5) << i;
    for (int i : {210, 330})
        EXPECT_EQ(t[static_cast<size_t>(i)], -0.5) << i;
    for (int i : {90, 450})
        EXPECT_EQ(t[static_cast<size_t>(i)], 1.0) << i;
    EXPECT_EQ(t[270], -1.0);
    for (int i : {0, 180, 360})
        EXPECT_LT(std::fabs(t[static_cast<size_t>(i)]), 1e-18) << i;
    // The collision box needs 58 x sin 30 to truncate to 29, not 28.
    EXPECT_EQ(static_cast<int>(58 * t[30]), 29);
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_NEAR(t[i], std::sin(static_cast<double>(i) * M_PI / 180), 1e-14) << i;
}
