#include "AssetPictures.h"

#include <array>

namespace {

const TPointSet Silhouette = PointsOf({
    {0, 0, 8, 21}, {1, 1, 7, 22}, {2, 4, 6, 23}, {5, 6, 5, 24}, {7, 9, 4, 25}, {10, 15, 3, 26},
    {16, 20, 2, 27}, {21, 25, 1, 28}, {26, 44, 0, 29}, {45, 51, 1, 28}, {52, 55, 2, 27}, {56, 56, 3, 26},
});

// Bow line, mast ring, seat line and centreboard slot.
TPointSet FixedDetails()
{
    TPointSet points = PointsOf({{4, 4, 7, 22}, {6, 6, 14, 16}, {9, 9, 14, 16}, {11, 11, 4, 25}, {23, 30, 15, 15}});
    for (int32_t y : {7, 8}) {
        points.insert({13, y});
        points.insert({17, y});
    }
    return points;
}

TPointSet BlackDetails(int32_t tiller)
{
    TPointSet points = FixedDetails();
    if (tiller == 1) {
        const TPointSet tillerPoints = PointsOf({{44, 56, 14, 15}});
        points.insert(tillerPoints.begin(), tillerPoints.end());
        return points;
    }
    for (int32_t r = 48; r <= 56; ++r) {
        const int32_t column = tiller == 0 ? r - 42 : 70 - r;
        points.insert({column, r});
        points.insert({column + 1, r});
    }
    return points;
}

// Opaque pixels that share a side with a transparent pixel or lie on the pattern's border.
TPointSet Outline(const TPointSet& opaque, int32_t width, int32_t height)
{
    TPointSet outline;
    for (const auto& [x, y] : opaque)
        for (const auto& [nx, ny] : {TPoint{x - 1, y}, TPoint{x + 1, y}, TPoint{x, y - 1}, TPoint{x, y + 1}})
            if (nx < 0 || ny < 0 || nx >= width || ny >= height || !opaque.contains({nx, ny}))
                outline.insert({x, y});
    return outline;
}

struct THullRow {
    const char* Name;
    uint32_t Marker;
};

struct TTillerRow {
    int32_t Pattern;
    int32_t BlackPixels;
    int32_t MarkerPixels;
};

constexpr std::array<THullRow, 2> Hulls{{{"B0", GreenMarker}, {"B1", RedMarker}}};
constexpr std::array<TTillerRow, 3> Tillers{{{0, 74, 1424}, {1, 82, 1416}, {2, 74, 1424}}};

TEST_F(MainImageList, HullsAreMarkerColouredWithBlackDetailsOnFuchsia)
{
    for (const auto& hull : Hulls)
        for (const auto& tiller : Tillers) {
            SCOPED_TRACE(std::string(hull.Name) + " pattern " + std::to_string(tiller.Pattern));
            const TPixelImage pattern = PatternOf(hull.Name, tiller.Pattern);
            ASSERT_EQ(pattern.Width, 30);
            ASSERT_EQ(pattern.Height, 57);
            const TPointSet transparent = PointsWith(pattern, Fuchsia);
            const TPointSet black = PointsWith(pattern, Black);
            const TPointSet marker = PointsWith(pattern, hull.Marker);
            EXPECT_EQ(transparent.size(), 212u);
            EXPECT_EQ(black.size(), static_cast<size_t>(tiller.BlackPixels));
            EXPECT_EQ(marker.size(), static_cast<size_t>(tiller.MarkerPixels));
            EXPECT_EQ(transparent.size() + black.size() + marker.size(), 30u * 57u) << "a pixel of another colour";
            EXPECT_EQ(black, BlackDetails(tiller.Pattern));

            TPointSet opaque = black;
            opaque.insert(marker.begin(), marker.end());
            EXPECT_EQ(opaque, Silhouette);
            const TPointSet outline = Outline(opaque, 30, 57);
            EXPECT_EQ(outline.size(), 148u);
            TPointSet blackOnOutline;
            for (const auto& p : outline)
                if (black.contains(p))
                    blackOnOutline.insert(p);
            // Only the tiller's end at the middle of the stern edge.
            EXPECT_EQ(blackOnOutline, (TPointSet{{14, 56}, {15, 56}}));
        }
}

TEST_F(MainImageList, BothDinghiesHaveTheSamePixelsInTheirOwnMarker)
{
    const TPixelImage& green = Picture("B0");
    const TPixelImage& red = Picture("B1");
    ASSERT_EQ(green.Pixels.size(), red.Pixels.size());
    for (size_t i = 0; i < green.Pixels.size(); ++i)
        ASSERT_EQ(green.Pixels[i] == GreenMarker ? RedMarker : green.Pixels[i], red.Pixels[i]) << "pixel " << i;
}

// The mast ring is centred on pixel (15, 7.5), 49.5 pixels ahead of the stern edge's middle at row 57; the bow,
// narrower than the transom, is at the top.
TEST_F(MainImageList, MastSitsAheadOfTheSternPivotWithTheBowUp)
{
    for (const char* name : {"B0", "B1"}) {
        const TPixelImage pattern = PatternOf(name, 1);
        double sumX = 0;
        double sumY = 0;
        int32_t count = 0;
        for (int32_t y = 5; y <= 10; ++y)
            for (int32_t x = 12; x <= 18; ++x)
                if (pattern.At(x, y) == Black) {
                    sumX += x;
                    sumY += y;
                    ++count;
                }
        ASSERT_EQ(count, 10) << name;
        EXPECT_DOUBLE_EQ(sumX / count, 15.0) << name;
        EXPECT_DOUBLE_EQ(sumY / count, 7.5) << name;
        EXPECT_DOUBLE_EQ(57.0 - sumY / count, 49.5) << name;
        auto opaqueInRow = [&](int32_t y) {
            int32_t n = 0;
            for (int32_t x = 0; x < 30; ++x)
                n += pattern.At(x, y) != Fuchsia ? 1 : 0;
            return n;
        };
        EXPECT_LT(opaqueInRow(0), opaqueInRow(56)) << name;
    }
}

} // namespace
