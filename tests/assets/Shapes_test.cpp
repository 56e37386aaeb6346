#include "AssetPictures.h"

#include <array>

namespace {

TPointSet Mirrored(const TPointSet& points, int32_t width)
{
    TPointSet mirrored;
    for (const auto& [x, y] : points)
        mirrored.insert({width - 1 - x, y});
    return mirrored;
}

TEST_F(MainImageList, WindroseIsAWhiteArrowPointingDownOnBlack)
{
    const TPointSet arrow = PointsOf({
        {0, 0, 15, 18}, {0, 0, 22, 25}, {1, 1, 16, 19}, {1, 1, 21, 24}, {2, 2, 17, 23}, {3, 3, 18, 22},
        {4, 4, 19, 21}, {5, 17, 20, 20}, {18, 18, 19, 21}, {19, 20, 18, 22}, {21, 21, 19, 21},
        {22, 26, 20, 20}, {27, 28, 14, 26}, {29, 30, 15, 25}, {31, 32, 16, 24}, {33, 34, 17, 23},
        {35, 36, 18, 22}, {37, 38, 19, 21}, {39, 40, 20, 20},
    });
    const TPixelImage rose = PatternOf("Windrose", 0);
    ASSERT_EQ(rose.Width, 41);
    ASSERT_EQ(rose.Height, 41);
    EXPECT_EQ(arrow.size(), 163u);
    EXPECT_EQ(PointsWith(rose, White), arrow);
    EXPECT_EQ(PointsWith(rose, Black).size(), 41u * 41u - 163u);
    // Centred across, the tip at the bottom of the middle column.
    EXPECT_EQ(Mirrored(arrow, 41), arrow);
    EXPECT_TRUE(arrow.contains({20, 40}));
}

TEST_F(MainImageList, BuoysAreYellowDiscsWithAWigglingDarkRedLine)
{
    const TPointSet disc = PointsOf({{1, 1, 5, 9}, {2, 3, 3, 11}, {4, 5, 2, 12}, {6, 8, 1, 13}, {9, 10, 2, 12},
                                     {11, 12, 3, 11}, {13, 13, 5, 9}});
    const std::array<TPointSet, 2> lines{
        TPointSet{{7, 7}, {6, 8}, {6, 9}, {7, 10}, {8, 11}, {8, 12}, {7, 13}, {6, 14}},
        TPointSet{{7, 7}, {8, 8}, {8, 9}, {7, 10}, {6, 11}, {6, 12}, {7, 13}, {8, 14}},
    };
    for (int32_t n = 0; n < 2; ++n) {
        SCOPED_TRACE("pattern " + std::to_string(n));
        const TPixelImage buoy = PatternOf("Boje", n);
        ASSERT_EQ(buoy.Width, 15);
        const TPointSet line = lines[static_cast<size_t>(n)];
        TPointSet yellow;
        for (const auto& p : disc)
            if (!line.contains(p))
                yellow.insert(p);
        EXPECT_EQ(PointsWith(buoy, BuoyMarker), yellow);
        EXPECT_EQ(yellow.size(), 122u);
        EXPECT_EQ(PointsWith(buoy, 0x800000), line);
        EXPECT_EQ(PointsWith(buoy, White).size(), 95u);
    }
    int32_t differing = 0;
    const TPixelImage first = PatternOf("Boje", 0);
    const TPixelImage second = PatternOf("Boje", 1);
    for (size_t i = 0; i < first.Pixels.size(); ++i)
        differing += first.Pixels[i] != second.Pixels[i] ? 1 : 0;
    EXPECT_EQ(differing, 10);
}

TEST_F(MainImageList, SailsAreBelliedOrFlappingWhiteOnFuchsia)
{
    const TPointSet zigzagRows345 = PointsOf({
        {3, 3, 0, 1}, {3, 3, 6, 7}, {3, 3, 12, 13}, {3, 3, 18, 19}, {3, 3, 24, 25}, {3, 3, 30, 31}, {3, 3, 36, 36},
        {4, 4, 2, 2}, {4, 4, 5, 5}, {4, 4, 8, 8}, {4, 4, 11, 11}, {4, 4, 14, 14}, {4, 4, 17, 17},
        {4, 4, 20, 20}, {4, 4, 23, 23}, {4, 4, 26, 26}, {4, 4, 29, 29}, {4, 4, 32, 32}, {4, 4, 35, 35},
        {5, 5, 3, 4}, {5, 5, 9, 10}, {5, 5, 15, 16}, {5, 5, 21, 22}, {5, 5, 27, 28}, {5, 5, 33, 34},
    });
    TPointSet upsideDown;
    for (const auto& [x, y] : zigzagRows345)
        upsideDown.insert({x, 7 - y});
    const std::array<TPointSet, 4> sails{
        PointsOf({{0, 0, 10, 27}, {1, 1, 6, 32}, {2, 2, 3, 35}, {3, 3, 0, 38}}),
        PointsOf({{4, 4, 0, 38}, {5, 5, 3, 35}, {6, 6, 6, 32}, {7, 7, 11, 28}}),
        zigzagRows345,
        upsideDown,
    };
    const std::array<size_t, 4> sizes{117, 117, 37, 37};
    for (int32_t n = 0; n < 4; ++n) {
        SCOPED_TRACE("pattern " + std::to_string(n));
        const TPixelImage sail = PatternOf("Segel", n);
        ASSERT_EQ(sail.Width, 39);
        ASSERT_EQ(sail.Height, 8);
        EXPECT_EQ(PointsWith(sail, White), sails[static_cast<size_t>(n)]);
        EXPECT_EQ(sails[static_cast<size_t>(n)].size(), sizes[static_cast<size_t>(n)]);
        EXPECT_EQ(PointsWith(sail, Fuchsia).size(), 39u * 8u - sizes[static_cast<size_t>(n)]);
    }
    // The straight foot starts at the pivot column: row 3 below the belly of pattern 0, row 4 above that of 1.
    EXPECT_EQ(PatternOf("Segel", 0).At(0, 3), White);
    EXPECT_EQ(PatternOf("Segel", 1).At(0, 4), White);
}

} // namespace
