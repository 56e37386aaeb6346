#include "AssetPictures.h"

#include <array>

namespace {

struct TPaletteRow {
    const char* Name;
    std::set<uint32_t> Colours; // every pixel is one of these
};

TEST_F(MainImageList, SpritePicturesHoldOnlyTheirOwnColours)
{
    const std::array<TPaletteRow, 6> rows{{
        {"B0", {Fuchsia, GreenMarker, Black}},
        {"B1", {Fuchsia, RedMarker, Black}},
        {"Explode", {Black, 0x1C0C1A, 0x4A2900, 0x5A3100, 0x635A10, 0x7B6308, 0x9B7B07, 0xA3830B, 0xAB9317,
                     0xB7A71F, 0xDFB700, 0xE3BF07, 0xE7CF0B}},
        {"Windrose", {Black, White}},
        {"Boje", {White, BuoyMarker, 0x800000}},
        {"Segel", {Fuchsia, White}},
    }};
    for (const auto& row : rows)
        for (const auto& [colour, count] : ColourCounts(Picture(row.Name)))
            EXPECT_TRUE(row.Colours.contains(colour)) << row.Name << " holds " << std::hex << colour;
}

// Each marker value lives in its one picture; the background cannot produce one because its blue never drops.
TEST_F(MainImageList, MarkerValuesOccurOnlyInTheirOwnPicture)
{
    const std::array<std::pair<uint32_t, const char*>, 3> markers{
        {{GreenMarker, "B0"}, {RedMarker, "B1"}, {BuoyMarker, "Boje"}}};
    for (int32_t i = 0; i < List.Items().Count(); ++i) {
        const TPictureCollectionItem& item = List.Items().Items(i);
        const auto counts = ColourCounts(item.Picture()->Pixels());
        for (const auto& [marker, owner] : markers)
            EXPECT_EQ(counts.contains(marker), item.Name() == owner) << item.Name() << " and " << std::hex << marker;
    }
}

TEST_F(MainImageList, BackgroundIsDeepBlueEverywhere)
{
    const TPixelImage& water = Picture("Water1");
    uint32_t lowestBlue = 255;
    for (const uint32_t pixel : water.Pixels)
        lowestBlue = std::min(lowestBlue, pixel & 0xFF);
    EXPECT_GE(lowestBlue, 180u);

    double red = 0, green = 0, blue = 0;
    for (int32_t y = 0; y < 750; ++y)
        for (int32_t x = 0; x < 1076; ++x) {
            const uint32_t pixel = water.At(x, y);
            red += pixel >> 16;
            green += pixel >> 8 & 0xFF;
            blue += pixel & 0xFF;
        }
    const double n = 1076.0 * 750.0;
    EXPECT_NEAR(red / n, 30.0, 4.0);
    EXPECT_NEAR(green / n, 30.0, 4.0);
    EXPECT_NEAR(blue / n, 234.0, 4.0);
}

// The wave marks repeat every 64 pixels both ways. The JPEG's blocks line up with that, so away from the
// picture's edges (where the colour upsampling has no neighbours) the decoded pixels repeat exactly.
TEST_F(MainImageList, BackgroundRepeatsEvery64Pixels)
{
    const TPixelImage& water = Picture("Water1");
    int32_t lightPixels = 0;
    for (int32_t y = 8; y < 8 + 64 * 13; ++y)
        for (int32_t x = 8; x < 8 + 64 * 21; ++x) {
            const uint32_t here = water.At(x, y);
            ASSERT_EQ(here, water.At(x + 64, y)) << x << "," << y;
            ASSERT_EQ(here, water.At(x, y + 64)) << x << "," << y;
            lightPixels += (here >> 16) > 150 ? 1 : 0;
        }
    // Light marks there are, but they are small.
    EXPECT_GT(lightPixels, 13 * 21 * 20);
    EXPECT_LT(lightPixels, 13 * 21 * 64 * 64 / 10);
}

TEST_F(MainImageList, BackgroundDrawnOpaqueCoversTheSurfaceWithItsTopLeft)
{
    TPictureCollectionItem& water = List.Items().Items(0);
    TDirectDrawSurface& back = *DXDraw.Surface();
    ASSERT_EQ(back.Width(), 1076);
    ASSERT_EQ(back.Height(), 750);
    back.FillSolid(ColorToRGBPixel(water.TransparentColor()));
    water.DrawPattern(back, 0, 0, 0);
    const TPixelImage& picture = water.Picture()->Pixels();
    for (int32_t y = 0; y < 750; ++y)
        for (int32_t x = 0; x < 1076; ++x)
            ASSERT_EQ(back.ReadPixel(x, y), picture.At(x, y)) << x << "," << y;
}

// Drawn over the water, every opaque pixel of a sprite reads back exactly, the markers included, and every
// transparent one leaves the water.
TEST_F(MainImageList, SpritesDrawnOverTheWaterReadBackExactly)
{
    TDirectDrawSurface& back = *DXDraw.Surface();
    const TPixelImage& water = Picture("Water1");
    for (const char* name : {"B0", "B1", "Explode", "Windrose", "Boje", "Segel"}) {
        TPictureCollectionItem& item = Item(name);
        const uint32_t key = ColorToRGBPixel(item.TransparentColor());
        for (int32_t n = 0; n < item.PatternCount(); ++n) {
            List.Items().Items(0).DrawPattern(back, 0, 0, 0);
            item.DrawPattern(back, 100, 200, n);
            const TPixelImage pattern = PatternOf(name, n);
            for (int32_t y = 0; y < pattern.Height; ++y)
                for (int32_t x = 0; x < pattern.Width; ++x) {
                    const uint32_t source = pattern.At(x, y);
                    ASSERT_EQ(back.ReadPixel(100 + x, 200 + y), source == key ? water.At(100 + x, 200 + y) : source)
                        << name << " pattern " << n << " at " << x << "," << y;
                }
        }
    }
}

} // namespace
