#include "AssetPictures.h"

#include <algorithm>
#include <array>

namespace {

const std::set<uint32_t> FireColours{0x1C0C1A, 0x4A2900, 0x5A3100, 0x635A10, 0x7B6308, 0x9B7B07,
                                     0xA3830B, 0xAB9317, 0xB7A71F, 0xDFB700, 0xE3BF07, 0xE7CF0B};

struct TFireRow {
    int32_t Pattern;
    int32_t Opaque;
    int32_t Left, Right, Top, Bottom;
    std::array<std::pair<uint32_t, int32_t>, 3> MostFrequent;
    int32_t Bright;
    int32_t Dark;
};

const std::array<TFireRow, 4> Fire{{
    {0, 539, 1, 27, 0, 25, {{{0x7B6308, 108}, {0xAB9317, 87}, {0x4A2900, 57}}}, 109, 96},
    {1, 545, 1, 27, 0, 26, {{{0x4A2900, 108}, {0x7B6308, 89}, {0xAB9317, 61}}}, 90, 168},
    {2, 524, 1, 27, 1, 26, {{{0x4A2900, 133}, {0x7B6308, 98}, {0x5A3100, 51}}}, 30, 225},
    {3, 486, 1, 27, 0, 26, {{{0x4A2900, 218}, {0x1C0C1A, 83}, {0x5A3100, 51}}}, 0, 352},
}};

int32_t ComponentSum(uint32_t pixel) { return static_cast<int32_t>((pixel >> 16) + (pixel >> 8 & 0xFF) + (pixel & 0xFF)); }

TEST_F(MainImageList, ExplosionFramesMeetTheirStatistics)
{
    for (const auto& row : Fire) {
        SCOPED_TRACE("pattern " + std::to_string(row.Pattern));
        const TPixelImage pattern = PatternOf("Explode", row.Pattern);
        ASSERT_EQ(pattern.Width, 28);
        ASSERT_EQ(pattern.Height, 27);
        int32_t opaque = 0, bright = 0, dark = 0;
        int32_t left = 99, right = -1, top = 99, bottom = -1;
        for (int32_t y = 0; y < pattern.Height; ++y)
            for (int32_t x = 0; x < pattern.Width; ++x) {
                const uint32_t pixel = pattern.At(x, y);
                if (pixel == Black)
                    continue;
                ASSERT_TRUE(FireColours.contains(pixel)) << std::hex << pixel << " at " << x << "," << y;
                ++opaque;
                bright += ComponentSum(pixel) >= 400 ? 1 : 0;
                dark += ComponentSum(pixel) < 200 ? 1 : 0;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        EXPECT_EQ(opaque, row.Opaque);
        EXPECT_EQ(left, row.Left);
        EXPECT_EQ(right, row.Right);
        EXPECT_EQ(top, row.Top);
        EXPECT_EQ(bottom, row.Bottom);
        EXPECT_EQ(bright, row.Bright);
        EXPECT_EQ(dark, row.Dark);

        auto counts = ColourCounts(pattern);
        counts.erase(Black);
        std::vector<std::pair<int32_t, uint32_t>> ranked;
        for (const auto& [colour, count] : counts)
            ranked.emplace_back(count, colour);
        std::sort(ranked.rbegin(), ranked.rend());
        ASSERT_GE(ranked.size(), 4u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(ranked[i].second, row.MostFrequent[i].first) << "rank " << i;
            EXPECT_EQ(ranked[i].first, row.MostFrequent[i].second) << "rank " << i;
        }
        // The three are clearly ahead: no tie with the fourth.
        EXPECT_LT(ranked[3].first, ranked[2].first);
    }
}

TEST_F(MainImageList, LastExplosionFrameIsEmptyAndDrawsNothing)
{
    EXPECT_EQ(ColourCounts(PatternOf("Explode", 4)), (std::map<uint32_t, int32_t>{{Black, 28 * 27}}));
    TDirectDrawSurface& back = *DXDraw.Surface();
    back.FillSolid(0x123456);
    Item("Explode").DrawPattern(back, 100, 100, 4);
    for (int32_t y = 95; y < 135; ++y)
        for (int32_t x = 95; x < 135; ++x)
            ASSERT_EQ(back.ReadPixel(x, y), 0x123456u) << x << "," << y;
}

} // namespace
