#include "drawing/Dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

TPixelImage Picture(int32_t width, int32_t height)
{
    TPixelImage image;
    image.Width = width;
    image.Height = height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            image.Pixels.push_back(static_cast<uint32_t>((x * 37 + y * 101) << 16 | (x * 13) << 8 | (y * 59 + 7)) &
                                   0xFFFFFF);
    return image;
}

uint32_t U32At(const std::vector<uint8_t>& d, size_t at)
{
    return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8 | uint32_t{d[at + 2]} << 16 | uint32_t{d[at + 3]} << 24;
}
uint16_t U16At(const std::vector<uint8_t>& d, size_t at) { return static_cast<uint16_t>(d[at] | d[at + 1] << 8); }

// The pictures the program carries, with the image sizes their stored headers state.
struct TSizeCase {
    std::string Name;
    int32_t Width;
    int32_t Height;
    uint32_t ImageSize;
};

void PrintTo(const TSizeCase& c, std::ostream* os) { *os << c.Name; }

class DibWriteSize : public testing::TestWithParam<TSizeCase> {};

TEST_P(DibWriteSize, HeaderFieldsOf24BitForm)
{
    const auto& c = GetParam();
    std::vector<uint8_t> data;
    TDIB(Picture(c.Width, c.Height)).WriteData(data);
    ASSERT_EQ(data.size(), 40 + c.ImageSize);
    EXPECT_EQ(U32At(data, 0), 40u);
    EXPECT_EQ(static_cast<int32_t>(U32At(data, 4)), c.Width);
    EXPECT_EQ(static_cast<int32_t>(U32At(data, 8)), c.Height); // positive: bottom-up
    EXPECT_EQ(U16At(data, 12), 1);                            // planes
    EXPECT_EQ(U16At(data, 14), 24);
    EXPECT_EQ(U32At(data, 16), 0u); // compression
    EXPECT_EQ(U32At(data, 20), c.ImageSize);
    for (size_t at = 24; at < 40; at += 4)
        EXPECT_EQ(U32At(data, at), 0u) << "at " << at;
}

INSTANTIATE_TEST_SUITE_P(Assets, DibWriteSize,
                         testing::Values(TSizeCase{"Dinghy", 90, 57, 15504}, TSizeCase{"Explode", 140, 27, 11340},
                                         TSizeCase{"Windrose", 41, 41, 5084}, TSizeCase{"Boje", 30, 15, 1380},
                                         TSizeCase{"Segel", 156, 8, 3744}),
                         [](const auto& test) { return test.param.Name; });

TEST(DibWrite, RowsAreBottomUpBlueGreenRedPadded)
{
    TPixelImage image;
    image.Width = 1;
    image.Height = 2;
    image.Pixels = {0x112233, 0xAABBCC};
    std::vector<uint8_t> data;
    TDIB(image).WriteData(data);
    const std::vector<uint8_t> rows(data.begin() + 40, data.end());
    EXPECT_EQ(rows, (std::vector<uint8_t>{0xCC, 0xBB, 0xAA, 0, 0x33, 0x22, 0x11, 0}));
}

TEST(DibWrite, BitmapFileHeader)
{
    const auto file = TDIB(Picture(5, 3)).SaveToBitmapFile();
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32At(file, 2), file.size());
    EXPECT_EQ(U32At(file, 6), 0u);
    EXPECT_EQ(U32At(file, 10), 54u);
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(file.size(), 54u + 16 * 3);
}

class DibRoundTrip : public testing::TestWithParam<std::pair<int32_t, int32_t>> {};

TEST_P(DibRoundTrip, InfoHeaderForm)
{
    const auto [width, height] = GetParam();
    const TPixelImage image = Picture(width, height);
    std::vector<uint8_t> data;
    TDIB(image).WriteData(data);
    const TDIB back = TDIB::FromData(data);
    EXPECT_EQ(back.Width(), width);
    EXPECT_EQ(back.Height(), height);
    EXPECT_EQ(back.BitCount(), 24);
    EXPECT_EQ(back.Pixels().Pixels, image.Pixels);
}

TEST_P(DibRoundTrip, BitmapFileForm)
{
    const auto [width, height] = GetParam();
    const TPixelImage image = Picture(width, height);
    EXPECT_EQ(TDIB::FromBitmapFile(TDIB(image).SaveToBitmapFile()).Pixels().Pixels, image.Pixels);
}

// Widths 1 to 4 meet every amount of row padding.
INSTANTIATE_TEST_SUITE_P(Sizes, DibRoundTrip,
                         testing::Values(std::pair{1, 1}, std::pair{2, 3}, std::pair{3, 2}, std::pair{4, 5},
                                         std::pair{30, 57}, std::pair{0, 0}));

TEST(DibFromPixels, DropsTheTopByte)
{
    TPixelImage image;
    image.Width = 1;
    image.Height = 1;
    image.Pixels = {0xFF123456};
    EXPECT_EQ(TDIB(image).Pixels().Pixels, (std::vector<uint32_t>{0x123456}));
}

} // namespace
