#include "DibBuilder.h"
#include "drawing/Dib.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t R = 0xFF0000;
constexpr uint32_t G = 0x00FF00;
constexpr uint32_t Bl = 0x0000FF;
constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t A = 0x102030;

struct TRleCase {
    std::string Name;
    int32_t Width;
    int32_t Height;
    bool FourBits;
    std::vector<uint8_t> Stream;
    std::vector<uint32_t> Expected; // top row first
};

void PrintTo(const TRleCase& c, std::ostream* os) { *os << c.Name; }

std::vector<uint8_t> RleBitmap(const TRleCase& c, uint32_t imageSize)
{
    auto data = DibHeader({.Width = c.Width,
                           .Height = c.Height,
                           .BitCount = static_cast<uint16_t>(c.FourBits ? 4 : 8),
                           .Compression = c.FourBits ? 2u : 1u,
                           .ImageSize = imageSize,
                           .ColorsUsed = 6});
    Append(data, ColorTable({0, R, G, Bl, W, A}));
    Append(data, c.Stream);
    return data;
}

class DibRle : public testing::TestWithParam<TRleCase> {};

TEST_P(DibRle, DecodesWithoutStatedSize)
{
    EXPECT_EQ(TDIB::FromData(RleBitmap(GetParam(), 0)).Pixels().Pixels, GetParam().Expected);
}

TEST_P(DibRle, DecodesWithStatedSize)
{
    const auto& c = GetParam();
    EXPECT_EQ(TDIB::FromData(RleBitmap(c, static_cast<uint32_t>(c.Stream.size()))).Pixels().Pixels, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DibRle,
    testing::Values(
        TRleCase{"Rle8RunsAbsoluteAndDelta", 4, 3, false,
                 {0x04, 1, 0, 0,                   // bottom: a run of four
                  0, 3, 2, 3, 4, 0, 0x01, 1, 0, 0, // middle: absolute three (padded), a run of one
                  0x01, 3, 0, 2, 2, 0, 0x01, 4, 0, 1},
                 TopFirst({{Bl, 0, 0, W}, {G, Bl, W, R}, {R, R, R, R}})},
        TRleCase{"Rle8DeltaMovesUp", 3, 3, false,
                 {0x01, 1, 0, 2, 1, 2, 0x01, 2, 0, 1},
                 TopFirst({{0, 0, G}, {0, 0, 0}, {R, 0, 0}})},
        TRleCase{"Rle8TopDown", 4, -2, false,
                 {0x04, 1, 0, 0, 0x01, 2, 0, 1},
                 TopFirst({{R, R, R, R}, {G, 0, 0, 0}})},
        TRleCase{"Rle4RunAlternatesNibbles", 5, 2, true,
                 {0x05, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0x02, 0x21, 0, 1},
                 TopFirst({{Bl, W, A, G, R}, {R, G, R, G, R}})},
        TRleCase{"Rle4OddAbsoluteIsPadded", 5, 2, true,
                 {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 0, 0x01, 0x40, 0, 1},
                 TopFirst({{W, 0, 0, 0, 0}, {R, G, Bl, W, A}})},
        TRleCase{"Rle4RunPastRowEnd", 3, 1, true, {0xFF, 0x12, 0, 1}, TopFirst({{R, G, R}})}),
    [](const auto& test) { return test.param.Name; });

// Damaged streams: runs are clipped at the row's end, anything moved outside the picture is dropped,
// and a stream that stops early leaves the rest black.
INSTANTIATE_TEST_SUITE_P(
    Overruns, DibRle,
    testing::Values(
        TRleCase{"RunPastRowEnd", 4, 2, false, {0xFF, 1, 0, 0, 0x01, 2, 0, 1}, TopFirst({{G, 0, 0, 0}, {R, R, R, R}})},
        TRleCase{"AbsolutePastRowEnd", 4, 2, false,
                 {0, 6, 1, 2, 3, 4, 1, 2, 0, 0, 0x01, 3, 0, 1},
                 TopFirst({{Bl, 0, 0, 0}, {R, G, Bl, W}})},
        TRleCase{"DeltaPastTheTop", 4, 2, false, {0x01, 1, 0, 2, 0, 200, 0x04, 2, 0, 1},
                 TopFirst({{0, 0, 0, 0}, {R, 0, 0, 0}})},
        TRleCase{"DeltaPastRowEnd", 4, 2, false, {0, 2, 255, 0, 0x02, 2, 0, 0, 0x01, 3, 0, 1},
                 TopFirst({{Bl, 0, 0, 0}, {0, 0, 0, 0}})},
        TRleCase{"LineEndsPastTheTop", 4, 2, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 1, 0, 1},
                 TopFirst({{0, 0, 0, 0}, {0, 0, 0, 0}})},
        TRleCase{"NoEndOfBitmap", 4, 1, false, {0x02, 1}, TopFirst({{R, R, 0, 0}})},
        TRleCase{"AbsoluteCutByTheEnd", 4, 1, false, {0, 8, 1, 2}, TopFirst({{R, G, 0, 0}})},
        TRleCase{"Rle4AbsoluteCutByTheEnd", 4, 1, true, {0, 8, 0x12}, TopFirst({{R, G, 0, 0}})},
        TRleCase{"DeltaCutByTheEnd", 4, 1, false, {0x01, 1, 0, 2, 5}, TopFirst({{R, 0, 0, 0}})},
        TRleCase{"OddByteAtTheEnd", 4, 1, false, {0x01, 1, 0}, TopFirst({{R, 0, 0, 0}})}),
    [](const auto& test) { return test.param.Name; });

TEST(DibRleStream, WithoutStatedSizeTheEndCodeEndsThePicture)
{
    const TRleCase c{"", 5, 1, true, {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 1}, {}};
    auto data = RleBitmap(c, 0);
    const size_t pictureBytes = data.size();
    Append(data, {0x00, 0x01, 0xEE});
    TByteReader reader(data);
    TDIB::ReadData(reader);
    EXPECT_EQ(reader.Position(), pictureBytes);
}

TEST(DibRleStream, StatedSizeIsUsedEvenPastTheEndCode)
{
    const TRleCase c{"", 2, 1, false, {0x02, 1, 0, 1, 0xEE, 0xEE}, {}};
    auto data = RleBitmap(c, 6);
    const size_t pictureBytes = data.size();
    Append(data, {0x77});
    TByteReader reader(data);
    const TDIB dib = TDIB::ReadData(reader);
    EXPECT_EQ(reader.Position(), pictureBytes);
    EXPECT_EQ(dib.Pixels().Pixels, (std::vector<uint32_t>{R, R}));
}

TEST(DibRleStream, BitmapFileWithoutStatedSize)
{
    std::vector<uint8_t> data{'B', 'M'};
    PutU32(data, 0);
    PutU32(data, 0);
    PutU32(data, 0);
    Append(data, RleBitmap(TRleCase{"", 2, 1, false, {0x01, 1, 0x01, 2, 0, 1}, {}}, 0));
    EXPECT_EQ(TDIB::FromBitmapFile(data).Pixels().Pixels, (std::vector<uint32_t>{R, G}));
}

} // namespace
