#include "AssetPictures.h"

#include "drawing/Dib.h"

#include <array>

namespace {

TPixelImage Glyph(const std::string& name, int32_t half)
{
    const TDIB bitmap = TDIB::FromBitmapFile(AssetBytes("glyphs/" + name + ".bmp"));
    EXPECT_EQ(bitmap.BitCount(), 24);
    EXPECT_EQ(bitmap.Width(), 32);
    EXPECT_EQ(bitmap.Height(), 16);
    return Pattern(bitmap.Pixels(), half, 16);
}

struct TGlyphRow {
    const char* Name;
    uint32_t Transparent;
    std::set<uint32_t> Required; // colours the picture is drawn in
};

TEST(Glyphs, CarryTheirTransparentColourBottomLeftAndTheirColours)
{
    const std::array<TGlyphRow, 6> rows{{
        {"Start", 0xC0C0C0, {0xFFFFFF, 0x000000, 0xFF0000, 0x0080FF}},
        {"Setup", 0xC0DCC0, {0x404040, 0xA0A040, 0xA04040}},
        {"Stop", 0xC0C0C0, {0xFF0000}},
        {"Play", 0xC0C0C0, {0x008000}},
        {"Ende", 0xC4C4C4, {}},
        {"Regatta", 0xC0C0C0, {0x000000, 0xFFFFFF, 0xFFFF00, 0x0080FF}},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TPixelImage normal = Glyph(row.Name, 0);
        const TPixelImage disabled = Glyph(row.Name, 1);
        EXPECT_EQ(normal.At(0, 15), row.Transparent);
        EXPECT_EQ(disabled.At(0, 15), row.Transparent);
        const auto counts = ColourCounts(normal);
        for (const uint32_t colour : row.Required)
            EXPECT_TRUE(counts.contains(colour)) << std::hex << colour;
        EXPECT_GT(counts.size(), 1u) << "an empty glyph";
        if (std::string(row.Name) != "Start") {
            EXPECT_EQ(normal.Pixels, disabled.Pixels);
        }
    }
}

TEST(Glyphs, StartGlyphTurnsTheHullGreenWhenDisabled)
{
    const TPixelImage normal = Glyph("Start", 0);
    const TPixelImage disabled = Glyph("Start", 1);
    EXPECT_EQ(PointsWith(normal, 0xFF0000), PointsWith(disabled, 0x008000));
    EXPECT_FALSE(PointsWith(normal, 0xFF0000).empty());
    for (size_t i = 0; i < normal.Pixels.size(); ++i) {
        if (normal.Pixels[i] != 0xFF0000) {
            EXPECT_EQ(normal.Pixels[i], disabled.Pixels[i]) << "pixel " << i;
        }
    }
}

TEST(Glyphs, StopIsARedSquareAndPlayAGreenTriangle)
{
    EXPECT_EQ(PointsWith(Glyph("Stop", 0), 0xFF0000), PointsOf({{3, 12, 3, 12}}));
    EXPECT_EQ(ColourCounts(Glyph("Stop", 0)).size(), 2u);

    const TPointSet triangle = PointsOf({{4, 4, 7, 7}, {5, 5, 7, 8}, {6, 6, 7, 9}, {7, 7, 7, 10}, {8, 8, 7, 11},
                                         {9, 9, 7, 10}, {10, 10, 7, 9}, {11, 11, 7, 8}, {12, 12, 7, 7}});
    EXPECT_EQ(PointsWith(Glyph("Play", 0), 0x008000), triangle);
    EXPECT_EQ(ColourCounts(Glyph("Play", 0)).size(), 2u);
}

TEST(Glyphs, ExitGlyphHasACyanArrowAndDoor)
{
    int32_t cyan = 0;
    for (const uint32_t pixel : Glyph("Ende", 0).Pixels) {
        const uint32_t red = pixel >> 16, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
        cyan += red < 140 && green > 120 && blue > 120 && green == blue && red < green ? 1 : 0;
    }
    EXPECT_GT(cyan, 40);
}

// The flag is chequered: every black square of it beside a white one, in rows and columns alike.
TEST(Glyphs, RegattaGlyphIsAChequeredFlagOnAPole)
{
    const TPixelImage flag = Glyph("Regatta", 0);
    int32_t squares = 0;
    for (int32_t y = 1; y <= 5; y += 2)
        for (int32_t x = 2; x <= 10; x += 2) {
            const uint32_t colour = flag.At(x, y);
            ASSERT_TRUE(colour == 0x000000 || colour == 0xFFFFFF) << x << ", " << y;
            EXPECT_EQ(flag.At(x + 1, y + 1), colour) << "a square is 2 x 2";
            if (x + 2 <= 10) {
                EXPECT_NE(flag.At(x + 2, y), colour) << x << ", " << y;
            }
            if (y + 2 <= 5) {
                EXPECT_NE(flag.At(x, y + 2), colour) << x << ", " << y;
            }
            ++squares;
        }
    EXPECT_EQ(squares, 15);
    // The pole runs from the flag down to the water.
    for (int32_t y = 1; y <= 13; ++y)
        EXPECT_EQ(flag.At(1, y), 0x804000u) << y;
}

} // namespace
