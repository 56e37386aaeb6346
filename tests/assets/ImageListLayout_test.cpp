#include "AssetPictures.h"

#include "drawing/ByteStream.h"
#include "drawing/Jpeg.h"

#include <array>

namespace {

struct TItemRow {
    const char* Name;
    const char* ClassName;
    int32_t PictureWidth, PictureHeight;
    int32_t PatternWidth, Patterns;
    bool Transparent;
    TColor TransparentColor;
};

constexpr std::array<TItemRow, 7> Items{{
    {"Water1", "TJPEGImage", 1500, 1000, 0, 1, false, 0x008080},
    {"B0", "TDIB", 90, 57, 30, 3, true, 0xFF00FF},
    {"B1", "TDIB", 90, 57, 30, 3, true, 0xFF00FF},
    {"Explode", "TDIB", 140, 27, 28, 5, true, 0x000000},
    {"Windrose", "TDIB", 41, 41, 41, 1, true, 0x000000},
    {"Boje", "TDIB", 30, 15, 15, 2, true, 0xFFFFFF},
    {"Segel", "TDIB", 156, 8, 39, 4, true, 0xFF00FF},
}};

TEST_F(MainImageList, HoldsTheSevenItemsInOrderWithTheirLayout)
{
    ASSERT_EQ(List.Items().Count(), 7);
    for (int32_t i = 0; i < 7; ++i) {
        const TItemRow& row = Items[static_cast<size_t>(i)];
        SCOPED_TRACE(row.Name);
        const TPictureCollectionItem& item = List.Items().Items(i);
        EXPECT_EQ(item.Name(), row.Name);
        EXPECT_EQ(&List.Items().FindByName(row.Name), &item);
        ASSERT_NE(item.Picture(), nullptr);
        EXPECT_EQ(item.Picture()->ClassName(), row.ClassName);
        EXPECT_EQ(item.Picture()->Width(), row.PictureWidth);
        EXPECT_EQ(item.Picture()->Height(), row.PictureHeight);
        EXPECT_EQ(item.PatternWidth, row.PatternWidth);
        EXPECT_EQ(item.PatternHeight, 0);
        // One row of equal patterns, no column left over.
        EXPECT_EQ(item.Height(), row.PictureHeight);
        EXPECT_EQ(item.Width() * row.Patterns, row.PictureWidth);
        EXPECT_EQ(item.PatternCount(), row.Patterns);
        EXPECT_FALSE(item.SystemMemory);
        EXPECT_EQ(item.Transparent, row.Transparent);
        EXPECT_EQ(item.TransparentColor(), row.TransparentColor);
    }
}

struct TBitmapRow {
    const char* Path;
    int32_t Width, Height;
    uint32_t ImageSize;
};

// The stored bitmaps: 40-byte info header, 24 bits, uncompressed, bottom-up, rows padded to 4 bytes.
TEST_F(MainImageList, KeepsNoDecodedBackgroundOnceItsSurfacesAreBuiltAndDecodesItAgainWhenLost)
{
    TPictureCollectionItem& water = Item("Water1");
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(water.Picture());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_FALSE(jpeg->Decoded());
    ASSERT_EQ(water.PatternCount(), 1);
    TDirectDrawSurface& surface = *water.PatternSurface(0);
    const uint32_t before[] = {surface.ReadPixel(0, 0), surface.ReadPixel(777, 555), surface.ReadPixel(1499, 999)};
    EXPECT_NE(before[1], 0u);

    // Storage lost: presenting restores it and the list loads its pictures again.
    DXDraw.DDraw()->LoseSurfaces();
    EXPECT_TRUE(DXDraw.SurfacesReady());
    EXPECT_FALSE(jpeg->Decoded());
    TDirectDrawSurface& again = *water.PatternSurface(0);
    EXPECT_EQ(again.ReadPixel(0, 0), before[0]);
    EXPECT_EQ(again.ReadPixel(777, 555), before[1]);
    EXPECT_EQ(again.ReadPixel(1499, 999), before[2]);
}

TEST(StoredBitmaps, AreUncompressed24BitBottomUpRows)
{
    const std::array<TBitmapRow, 12> rows{{
        {"pictures/B0.bmp", 90, 57, 15504},
        {"pictures/B1.bmp", 90, 57, 15504},
        {"pictures/Explode.bmp", 140, 27, 11340},
        {"pictures/Windrose.bmp", 41, 41, 5084},
        {"pictures/Boje.bmp", 30, 15, 1380},
        {"pictures/Segel.bmp", 156, 8, 3744},
        {"glyphs/Start.bmp", 32, 16, 1536},
        {"glyphs/Setup.bmp", 32, 16, 1536},
        {"glyphs/Stop.bmp", 32, 16, 1536},
        {"glyphs/Play.bmp", 32, 16, 1536},
        {"glyphs/Ende.bmp", 32, 16, 1536},
        {"glyphs/Regatta.bmp", 32, 16, 1536},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Path);
        const auto bytes = AssetBytes(row.Path);
        TByteReader in(bytes);
        EXPECT_EQ(in.U16(), 0x4D42); // "BM"
        EXPECT_EQ(in.U32(), bytes.size());
        in.Skip(4);
        EXPECT_EQ(in.U32(), 14u + 40u);
        EXPECT_EQ(in.U32(), 40u);
        EXPECT_EQ(in.I32(), row.Width);
        EXPECT_EQ(in.I32(), row.Height); // positive: bottom-up
        EXPECT_EQ(in.U16(), 1);
        EXPECT_EQ(in.U16(), 24);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), row.ImageSize);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.Remaining(), row.ImageSize);
    }
}

// Start of frame: the three components' sampling, luminance 2 x 2 against the others.
TEST(StoredBackground, IsBaselineJfifWithQuarterColourResolution)
{
    const auto bytes = AssetBytes("pictures/Water1.jpg");
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xE0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[6]), 5), std::string("JFIF\0", 5));

    size_t at = 2;
    bool sawBaselineFrame = false;
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const uint8_t marker = bytes[at + 1];
        const size_t length = static_cast<size_t>(bytes[at + 2] << 8 | bytes[at + 3]);
        EXPECT_NE(marker, 0xC2) << "progressive";
        if (marker == 0xC0) {
            sawBaselineFrame = true;
            ASSERT_LE(at + 2 + length, bytes.size());
            const uint8_t* frame = &bytes[at + 4];
            EXPECT_EQ(frame[0], 8);
            EXPECT_EQ(frame[1] << 8 | frame[2], 1000);
            EXPECT_EQ(frame[3] << 8 | frame[4], 1500);
            ASSERT_EQ(frame[5], 3);
            EXPECT_EQ(frame[6 + 1], 0x22);
            EXPECT_EQ(frame[9 + 1], 0x11);
            EXPECT_EQ(frame[12 + 1], 0x11);
        }
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    EXPECT_TRUE(sawBaselineFrame);
    const TJPEGImage water(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_FALSE(water.ProgressiveEncoding());
    EXPECT_FALSE(water.Grayscale());
}

TEST(EmbeddedFiles, AreFoundByPathAndUnknownPathsAreRefused)
{
    const std::vector<std::string_view> expected{
        "pictures/Water1.jpg", "pictures/B0.bmp",   "pictures/B1.bmp",   "pictures/Explode.bmp",
        "pictures/Windrose.bmp", "pictures/Boje.bmp", "pictures/Segel.bmp", "glyphs/Start.bmp",
        "glyphs/Setup.bmp",    "glyphs/Stop.bmp",   "glyphs/Play.bmp",   "glyphs/Ende.bmp",
        "glyphs/Regatta.bmp",
        "icon/QuiboTrainer.ico", "sounds/Countdown.wav", "sounds/Start.wav", "sounds/Early.wav",
        "sounds/Rounding.wav", "sounds/Penalty.wav", "sounds/Finish.wav", "sounds/Explosion.wav",
    };
    EXPECT_EQ(AssetPaths(), expected);
    EXPECT_THROW(AssetBytes("pictures/Water2.jpg"), std::out_of_range);
    EXPECT_THROW(AssetBytes("B0.bmp"), std::out_of_range);
}

} // namespace
