#include "ImageListFixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace {

using TPoint = std::pair<int32_t, int32_t>;
constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

// Where on the coded picture a pattern's pixels come from, after checking that the pattern is one unbroken
// Width x Height block of it; (-1, -1) when it is not.
TPoint PictureOrigin(const TPictureCollectionItem& item, int32_t n)
{
    const TPictureCollectionItemPattern& p = item.Patterns()[static_cast<size_t>(n)];
    if (p.Rect.Width() != item.Width() || p.Rect.Height() != item.Height())
        return {-1, -1};
    TDirectDrawSurface& surface = *item.PatternSurface(n);
    const uint32_t corner = surface.ReadPixel(p.Rect.Left, p.Rect.Top);
    const TPoint origin{static_cast<int32_t>(corner >> 12) - 1, static_cast<int32_t>(corner & 0xFFF) - 1};
    for (int32_t j = 0; j < p.Rect.Height(); ++j) {
        for (int32_t i = 0; i < p.Rect.Width(); ++i) {
            const uint32_t expected = PositionCode(origin.first + i, origin.second + j);
            if (surface.ReadPixel(p.Rect.Left + i, p.Rect.Top + j) != expected)
                return {-1, -1};
        }
    }
    return origin;
}

struct TGeometryCase {
    const char* Name;
    int32_t PictureWidth;
    int32_t PictureHeight;
    int32_t PatternWidth;
    int32_t PatternHeight;
    int32_t SkipWidth;
    int32_t SkipHeight;
    std::vector<TPoint> Origins;
    // Surfaces in display memory; in main memory there is always one, unless there are no patterns.
    size_t DisplayTiles = 1;
};

class PatternGeometry : public ImageListFixture, public testing::WithParamInterface<TGeometryCase> {};

TEST_P(PatternGeometry, CutsThePictureRowByRow)
{
    const TGeometryCase& c = GetParam();
    for (bool systemMemory : {false, true}) {
        TPictureCollectionItem& item = List.Items().Add();
        item.SetPicture(CodedPicture(c.PictureWidth, c.PictureHeight));
        item.PatternWidth = c.PatternWidth;
        item.PatternHeight = c.PatternHeight;
        item.SkipWidth = c.SkipWidth;
        item.SkipHeight = c.SkipHeight;
        item.SystemMemory = systemMemory;
        item.SetTransparentColor(clTeal);
        item.Restore();

        ASSERT_EQ(item.PatternCount(), static_cast<int32_t>(c.Origins.size())) << "system memory " << systemMemory;
        for (int32_t n = 0; n < item.PatternCount(); ++n)
            EXPECT_EQ(PictureOrigin(item, n), c.Origins[static_cast<size_t>(n)]) << "pattern " << n;
        const size_t surfaces = c.Origins.empty() ? 0u : systemMemory ? 1u : c.DisplayTiles;
        EXPECT_EQ(item.PatternSurfaces().size(), surfaces) << "system memory " << systemMemory;
        for (const auto& surface : item.PatternSurfaces()) {
            EXPECT_EQ(surface->ColorKey(), 0x008080u);
            EXPECT_EQ(surface->SystemMemory(), systemMemory);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatternGeometry,
    testing::Values(
        TGeometryCase{"WidthIsThePicture", 41, 41, 41, 0, 0, 0, {{0, 0}}},
        TGeometryCase{"NoPatternSize", 41, 41, 0, 0, 0, 0, {{0, 0}}},
        TGeometryCase{"Sail", 156, 8, 39, 0, 0, 0, {{0, 0}, {39, 0}, {78, 0}, {117, 0}}},
        // The three whole columns end at 120; the unused rest of the picture becomes a tile of its own.
        TGeometryCase{"SailWithSkip", 156, 8, 39, 0, 1, 0, {{0, 0}, {40, 0}, {80, 0}}, 2},
        TGeometryCase{"SquareHalves", 30, 15, 15, 0, 0, 0, {{0, 0}, {15, 0}}},
        TGeometryCase{"Hull", 90, 57, 30, 0, 0, 0, {{0, 0}, {30, 0}, {60, 0}}},
        TGeometryCase{"Explosion", 140, 27, 28, 0, 0, 0, {{0, 0}, {28, 0}, {56, 0}, {84, 0}, {112, 0}}},
        TGeometryCase{"Grid",
                      100, 60, 30, 20, 5, 0,
                      {{0, 0}, {35, 0}, {70, 0}, {0, 20}, {35, 20}, {70, 20}, {0, 40}, {35, 40}, {70, 40}}},
        TGeometryCase{"RowSkip", 60, 50, 20, 20, 0, 5, {{0, 0}, {20, 0}, {40, 0}, {0, 25}, {20, 25}, {40, 25}}},
        TGeometryCase{"PatternWiderThanPicture", 40, 40, 50, 0, 0, 0, {}, 0},
        TGeometryCase{"NegativePatternWidthMeansPicture", 40, 40, -5, 10, 0, 0, {{0, 0}, {0, 10}, {0, 20}, {0, 30}}},
        TGeometryCase{"SkipCancellingThePitch", 80, 10, 40, 0, -40, 0, {}, 0},
        TGeometryCase{"SkipBeyondThePitch", 80, 10, 40, 0, -41, 0, {}, 0},
        TGeometryCase{"LowestSkip", 80, 10, 10, 0, Min, 0, {}, 0},
        TGeometryCase{"HeightSkipCancellingThePitch", 10, 40, 0, 10, 0, -10, {}, 0},
        TGeometryCase{"HugePatternAndSkip", 80, 10, Max, 0, Max, 0, {}, 0},
        TGeometryCase{"HugeRowSkip",
                      80, 10, 10, 0, 0, Max,
                      {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {70, 0}}},
        TGeometryCase{"OverlappingPatterns",
                      40, 10, 10, 0, -5, 0,
                      {{0, 0}, {5, 0}, {10, 0}, {15, 0}, {20, 0}, {25, 0}, {30, 0}}}),
    [](const testing::TestParamInfo<TGeometryCase>& testCase) { return testCase.param.Name; });

struct TTiledCase {
    const char* Name;
    int32_t PictureWidth;
    int32_t PictureHeight;
    int32_t PatternWidth;
    int32_t PatternHeight;
    int32_t SkipWidth;
    int32_t SkipHeight;
    std::vector<TPoint> TileSizes;
    int32_t PatternCount;
    // Some patterns with their tile and their place on it.
    std::vector<std::pair<int32_t, std::pair<size_t, TPoint>>> Placed;
};

class PatternTiles : public ImageListFixture, public testing::WithParamInterface<TTiledCase> {};

TEST_P(PatternTiles, DisplayMemoryCutsWidePicturesIntoTilesThatKeepPatternsWhole)
{
    const TTiledCase& c = GetParam();
    TPictureCollectionItem& item = List.Items().Add();
    item.SetPicture(CodedPicture(c.PictureWidth, c.PictureHeight));
    item.PatternWidth = c.PatternWidth;
    item.PatternHeight = c.PatternHeight;
    item.SkipWidth = c.SkipWidth;
    item.SkipHeight = c.SkipHeight;
    item.Restore();

    ASSERT_EQ(item.PatternSurfaces().size(), c.TileSizes.size());
    for (size_t t = 0; t < c.TileSizes.size(); ++t) {
        EXPECT_EQ(item.PatternSurfaces()[t]->Width(), c.TileSizes[t].first) << "tile " << t;
        EXPECT_EQ(item.PatternSurfaces()[t]->Height(), c.TileSizes[t].second) << "tile " << t;
    }
    ASSERT_EQ(item.PatternCount(), c.PatternCount);
    const int32_t cols = (c.PictureWidth + c.SkipWidth) / (item.Width() + c.SkipWidth);
    for (int32_t n = 0; n < item.PatternCount(); ++n) {
        const TPoint expected{(n % cols) * (item.Width() + c.SkipWidth), (n / cols) * (item.Height() + c.SkipHeight)};
        EXPECT_EQ(PictureOrigin(item, n), expected) << "pattern " << n;
    }
    for (const auto& [n, where] : c.Placed) {
        const TPictureCollectionItemPattern& p = item.Patterns()[static_cast<size_t>(n)];
        EXPECT_EQ(p.SurfaceIndex, where.first) << "pattern " << n;
        EXPECT_EQ(item.PatternSurface(n), item.PatternSurfaces()[where.first].Get()) << "pattern " << n;
        EXPECT_EQ((TPoint{p.Rect.Left, p.Rect.Top}), where.second) << "pattern " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatternTiles,
    testing::Values(
        TTiledCase{"Wide",
                   1200, 100, 100, 0, 0, 0,
                   {{600, 100}, {600, 100}},
                   12,
                   {{5, {0, {500, 0}}}, {7, {1, {100, 0}}}}},
        TTiledCase{"WithSkips",
                   1000, 300, 90, 70, 10, 5,
                   {{600, 300}, {400, 300}},
                   40,
                   {{5, {0, {500, 0}}}, {16, {1, {0, 75}}}, {39, {1, {300, 225}}}}},
        TTiledCase{"AcrossAndDown",
                   1100, 1100, 100, 100, 0, 0,
                   {{600, 600}, {500, 600}, {600, 500}, {500, 500}},
                   121,
                   {{6, {1, {0, 0}}}, {66, {2, {0, 0}}}, {120, {3, {400, 400}}}}},
        TTiledCase{"PitchAbove512", 1400, 50, 700, 0, 0, 0, {{700, 50}, {700, 50}}, 2, {{1, {1, {0, 0}}}}}),
    [](const testing::TestParamInfo<TTiledCase>& testCase) { return testCase.param.Name; });

class PatternSurfaces : public ImageListFixture {};

TEST_F(PatternSurfaces, SystemMemoryKeepsAWidePictureOnOneSurface)
{
    TPictureCollectionItem& item = List.Items().Add();
    item.SetPicture(CodedPicture(1200, 100));
    item.PatternWidth = 100;
    item.SystemMemory = true;
    item.Restore();
    ASSERT_EQ(item.PatternSurfaces().size(), 1u);
    EXPECT_EQ(item.PatternSurfaces()[0]->Width(), 1200);
    ASSERT_EQ(item.PatternCount(), 12);
    EXPECT_EQ(item.Patterns()[7].Rect, (TRect{700, 0, 800, 100}));
    EXPECT_EQ(PictureOrigin(item, 7), (TPoint{700, 0}));
}

TEST_F(PatternSurfaces, AnEmptyPictureGetsNone)
{
    TPictureCollectionItem& item = List.Items().Add();
    item.Restore();
    EXPECT_EQ(item.PatternCount(), 0);
    EXPECT_FALSE(item.Initialized()) << "nothing happens without a picture";
    item.SetPicture(CodedPicture(0, 0));
    item.Restore();
    EXPECT_TRUE(item.PatternSurfaces().empty());
}

TEST_F(PatternSurfaces, RestoringRebuildsFromThePicture)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(156, 8), 39);
    item.PatternSurfaces()[0]->FillSolid(0);
    item.Restore();
    ASSERT_EQ(item.PatternCount(), 4);
    EXPECT_EQ(PictureOrigin(item, 3), (TPoint{117, 0}));
}

} // namespace
