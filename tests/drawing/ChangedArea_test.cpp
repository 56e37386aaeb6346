#include "drawing/ChangedArea.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

bool Covered(const TChangedArea& area, int32_t x, int32_t y)
{
    if (area.All())
        return true;
    for (const TRect& r : area.Rects())
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return true;
    return false;
}

TEST(ChangedArea, EveryAddedPixelStaysCoveredWhateverIsMerged)
{
    std::mt19937 random(17);
    for (int run = 0; run < 50; ++run) {
        TChangedArea area;
        std::vector<TRect> added;
        for (int n = 0; n < 300; ++n) {
            const int32_t x = static_cast<int32_t>(random() % 200);
            const int32_t y = static_cast<int32_t>(random() % 200);
            const TRect r = random() % 3 == 0 ? TRect{x, y, x + 1, y + 1}
                                              : TRect{x, y, x + static_cast<int32_t>(random() % 40),
                                                      y + static_cast<int32_t>(random() % 40)};
            area.Add(r);
            added.push_back(r);
        }
        ASSERT_LE(area.Rects().size(), static_cast<size_t>(TChangedArea::Capacity));
        for (const TRect& r : added)
            for (int32_t y = r.Top; y < r.Bottom; ++y)
                for (int32_t x = r.Left; x < r.Right; ++x)
                    ASSERT_TRUE(Covered(area, x, y)) << x << "," << y;
    }
}

TEST(ChangedArea, NeighbouringPixelsJoinWithoutCoveringMore)
{
    TChangedArea area;
    for (int32_t x = 10; x < 50; ++x)
        area.Add({x, 7, x + 1, 8});
    ASSERT_EQ(area.Rects().size(), 1u);
    EXPECT_EQ(area.Rects()[0], (TRect{10, 7, 50, 8}));
    // A rectangle inside one already there adds nothing; an empty one is ignored.
    area.Add({20, 7, 30, 8});
    area.Add({5, 5, 5, 9});
    EXPECT_EQ(area.Rects().size(), 1u);
}

TEST(ChangedArea, AllCoversEverythingUntilCleared)
{
    TChangedArea area;
    EXPECT_TRUE(area.Empty());
    area.Add({1, 1, 2, 2});
    area.AddAll();
    EXPECT_TRUE(area.All());
    EXPECT_TRUE(area.Rects().empty());
    area.Add({3, 3, 4, 4});
    EXPECT_TRUE(area.Rects().empty());
    area.Clear();
    EXPECT_TRUE(area.Empty());
    EXPECT_FALSE(area.All());
}

} // namespace
