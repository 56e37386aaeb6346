#include "AssetPictures.h"

#include "drawing/ByteStream.h"

#include <algorithm>

namespace {

// The icon file read by hand: one 32 x 32 image of 8 bits a pixel with a 256-entry palette and an AND mask.
struct TIcon {
    std::vector<uint32_t> Pixels;    // 0x00RRGGBB, top row first
    std::vector<bool> Transparent;   // from the mask
};

TIcon ReadIcon()
{
    const auto bytes = AssetBytes("icon/QuiboTrainer.ico");
    TByteReader in(bytes);
    EXPECT_EQ(in.U16(), 0);
    EXPECT_EQ(in.U16(), 1);
    EXPECT_EQ(in.U16(), 1);
    EXPECT_EQ(in.U8(), 32);
    EXPECT_EQ(in.U8(), 32);
    EXPECT_EQ(in.U8(), 0); // 256 colours
    in.Skip(1);
    EXPECT_EQ(in.U16(), 1);
    EXPECT_EQ(in.U16(), 8);
    const uint32_t size = in.U32();
    const uint32_t offset = in.U32();
    EXPECT_EQ(offset + size, bytes.size());
    in.Seek(offset);
    EXPECT_EQ(in.U32(), 40u);
    EXPECT_EQ(in.I32(), 32);
    EXPECT_EQ(in.I32(), 64);
    EXPECT_EQ(in.U16(), 1);
    EXPECT_EQ(in.U16(), 8);
    EXPECT_EQ(in.U32(), 0u);
    in.Skip(20);
    std::vector<uint32_t> palette;
    for (int i = 0; i < 256; ++i) {
        const uint32_t b = in.U8(), g = in.U8(), r = in.U8();
        in.Skip(1);
        palette.push_back(r << 16 | g << 8 | b);
    }
    TIcon icon{std::vector<uint32_t>(1024), std::vector<bool>(1024)};
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; ++x)
            icon.Pixels[static_cast<size_t>(y * 32 + x)] = palette[in.U8()];
    for (int y = 31; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            const uint8_t bits = in.U8();
            for (int bit = 0; bit < 8; ++bit)
                icon.Transparent[static_cast<size_t>(y * 32 + byte * 8 + bit)] = (bits >> (7 - bit) & 1) != 0;
        }
    EXPECT_EQ(in.Remaining(), 0u);
    return icon;
}

// Topmost and lowest rows holding an opaque pixel of the colour.
std::pair<int, int> Rows(const TIcon& icon, uint32_t colour)
{
    int first = 99, last = -1;
    for (int i = 0; i < 1024; ++i)
        if (!icon.Transparent[static_cast<size_t>(i)] && icon.Pixels[static_cast<size_t>(i)] == colour) {
            first = std::min(first, i / 32);
            last = std::max(last, i / 32);
        }
    return {first, last};
}

TEST(Icon, Is32By32With518TransparentPixels)
{
    const TIcon icon = ReadIcon();
    EXPECT_EQ(std::count(icon.Transparent.begin(), icon.Transparent.end(), true), 518);
}

// Pennant at the top, then the sail, the hull and the water line from top to bottom.
TEST(Icon, ShowsADinghyFromTheSideInItsColours)
{
    const TIcon icon = ReadIcon();
    const std::set<uint32_t> colours{0xFFFFFF, 0x222222, 0x00CC00, 0xFF3300, 0x0033CC};
    for (int i = 0; i < 1024; ++i) {
        if (!icon.Transparent[static_cast<size_t>(i)]) {
            ASSERT_TRUE(colours.contains(icon.Pixels[static_cast<size_t>(i)])) << "pixel " << i;
        }
    }
    const auto pennant = Rows(icon, 0x00CC00);
    const auto sail = Rows(icon, 0xFFFFFF);
    const auto hull = Rows(icon, 0xFF3300);
    const auto water = Rows(icon, 0x0033CC);
    EXPECT_LE(pennant.first, sail.first);
    EXPECT_LT(pennant.second, sail.second);
    EXPECT_LT(sail.second, hull.first);
    EXPECT_LT(hull.second, water.first);
    EXPECT_GE(Rows(icon, 0x222222).second, 0);
}

} // namespace
