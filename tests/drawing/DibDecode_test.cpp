#include "DibBuilder.h"
#include "drawing/Dib.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t A = 0x102030;
constexpr uint32_t B = 0xA0B0C0;
constexpr uint32_t C = 0x405060;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) { return bytes; }

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        Append(out, p);
    return out;
}

std::vector<uint8_t> FullTable()
{
    std::vector<uint8_t> table(256 * 4, 0x11);
    const auto put = [&](size_t i, uint32_t c) {
        table[4 * i] = static_cast<uint8_t>(c);
        table[4 * i + 1] = static_cast<uint8_t>(c >> 8);
        table[4 * i + 2] = static_cast<uint8_t>(c >> 16);
    };
    put(0, A);
    put(7, B);
    put(255, C);
    return table;
}

// Every case is a 3 x 2 picture stored bottom-up: the bytes after the header, then the expected
// pixels, top row first.
struct TDepthCase {
    std::string Name;
    uint16_t BitCount;
    uint32_t Compression;
    uint32_t ColorsUsed;
    std::vector<uint8_t> Body;
    std::vector<uint32_t> Expected;
};

void PrintTo(const TDepthCase& c, std::ostream* os) { *os << c.Name; }

std::vector<TDepthCase> DepthCases()
{
    return {
        {"Bits1", 1, 0, 0,
         // padding bits of the bottom row set: they must not show
         Join({ColorTable({A, B}), Bytes({0xBF, 0, 0, 0}), Bytes({0x60, 0, 0, 0})}),
         TopFirst({{A, B, B}, {B, A, B}})},
        {"Bits4ThreeColours", 4, 0, 3,
         Join({ColorTable({A, B, C}), Bytes({0x12, 0x0F, 0, 0}), Bytes({0x20, 0x1F, 0, 0})}),
         TopFirst({{C, A, B}, {B, C, A}})},
        {"Bits8FullTable", 8, 0, 0, Join({FullTable(), Bytes({7, 7, 0, 0}), Bytes({255, 0, 7, 0})}),
         TopFirst({{C, A, B}, {B, B, A}})},
        {"Bits16Default555", 16, 0, 0,
         Bytes({0x10, 0x42, 0xFF, 0xFF, 0x00, 0x00, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0}),
         TopFirst({{0xFF0000, 0x00FF00, 0x0000FF}, {0x848484, 0xFFFFFF, 0x000000}})},
        {"Bits24", 24, 0, 0,
         Bytes({0x60, 0x50, 0x40, 0x60, 0x50, 0x40, 0x30, 0x20, 0x10, 0, 0, 0, //
                0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0x60, 0x50, 0x40, 0, 0, 0}),
         TopFirst({{A, B, C}, {C, C, A}})},
        {"Bits24SkipsOptionalTable", 24, 0, 2,
         Join({ColorTable({0xFFFFFF, 0xFFFFFF}),
               Bytes({0x60, 0x50, 0x40, 0x60, 0x50, 0x40, 0x30, 0x20, 0x10, 0, 0, 0, //
                      0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0x60, 0x50, 0x40, 0, 0, 0})}),
         TopFirst({{A, B, C}, {C, C, A}})},
        {"Bits32IgnoresFourthByte", 32, 0, 0,
         Bytes({0xC0, 0xB0, 0xA0, 0xEE, 0x30, 0x20, 0x10, 0xEE, 0x30, 0x20, 0x10, 0xEE, //
                0x30, 0x20, 0x10, 0xEE, 0xC0, 0xB0, 0xA0, 0xEE, 0x60, 0x50, 0x40, 0xEE}),
         TopFirst({{A, B, C}, {B, A, A}})},
        {"BitFields16As565", 16, 3, 0,
         Bytes({0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0x00, 0, 0, //
                0x1F, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0,             //
                0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0, 0}),
         TopFirst({{0xFF0000, 0x00FF00, 0x848284}, {0x0000FF, 0xFFFFFF, 0x000000}})},
        {"BitFields32ReversedOrder", 32, 3, 0,
         Bytes({0xFF, 0, 0, 0, 0x00, 0xFF, 0, 0, 0, 0, 0xFF, 0, //
                0xA0, 0xB0, 0xC0, 0, 0x10, 0x20, 0x30, 0, 0x10, 0x20, 0x30, 0, //
                0x10, 0x20, 0x30, 0, 0xA0, 0xB0, 0xC0, 0, 0x40, 0x50, 0x60, 0}),
         TopFirst({{A, B, C}, {B, A, A}})},
        {"BitFields32TenBitChannels", 32, 3, 0,
         Bytes({0x00, 0x00, 0xF0, 0x3F, 0x00, 0xFC, 0x0F, 0x00, 0xFF, 0x03, 0x00, 0x00, //
                0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x3F, 0x00, 0x00, 0x00, 0xC0, //
                0x00, 0x00, 0xF0, 0x3F, 0x00, 0xFC, 0x0F, 0x00, 0x00, 0x02, 0x00, 0x00}),
         TopFirst({{0xFF0000, 0x00FF00, 0x000080}, {0x000000, 0xFFFFFF, 0x000000}})},
    };
}

class DibDepth : public testing::TestWithParam<TDepthCase> {};

TEST_P(DibDepth, DecodesEveryPixel)
{
    const TDepthCase& c = GetParam();
    auto data = DibHeader({.Width = 3, .Height = 2, .BitCount = c.BitCount, .Compression = c.Compression,
                           .ColorsUsed = c.ColorsUsed});
    Append(data, c.Body);
    const TDIB dib = TDIB::FromData(data);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitCount(), c.BitCount);
    EXPECT_EQ(dib.Pixels().Pixels, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Plain, DibDepth, testing::ValuesIn(DepthCases()),
                         [](const auto& test) { return test.param.Name; });

TEST(DibDecode, NegativeHeightStoresRowsTopDown)
{
    auto data = DibHeader({.Width = 1, .Height = -3, .BitCount = 24});
    Append(data, {0x30, 0x20, 0x10, 0, 0xC0, 0xB0, 0xA0, 0, 0x60, 0x50, 0x40, 0});
    EXPECT_EQ(TDIB::FromData(data).Pixels().Pixels, (std::vector<uint32_t>{A, B, C}));
}

TEST(DibDecode, PositiveHeightStoresRowsBottomUp)
{
    auto data = DibHeader({.Width = 1, .Height = 3, .BitCount = 24});
    Append(data, {0x30, 0x20, 0x10, 0, 0xC0, 0xB0, 0xA0, 0, 0x60, 0x50, 0x40, 0});
    EXPECT_EQ(TDIB::FromData(data).Pixels().Pixels, (std::vector<uint32_t>{C, B, A}));
}

TEST(DibDecode, CoreHeaderHasThreeByteTableEntries)
{
    auto data = DibHeader({.Size = 12, .Width = 3, .Height = 2, .BitCount = 1});
    Append(data, ColorTable({A, B}, true));
    Append(data, {0xA0, 0, 0, 0, 0x60, 0, 0, 0});
    const TDIB dib = TDIB::FromData(data);
    EXPECT_EQ(dib.Pixels().Pixels, TopFirst({{A, B, B}, {B, A, B}}));
}

TEST(DibDecode, CoreHeader24Bits)
{
    auto data = DibHeader({.Size = 12, .Width = 2, .Height = 1, .BitCount = 24});
    Append(data, {0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0, 0});
    EXPECT_EQ(TDIB::FromData(data).Pixels().Pixels, (std::vector<uint32_t>{A, B}));
}

TEST(DibDecode, IndexBeyondTheStoredTableIsBlack)
{
    auto data = DibHeader({.Width = 2, .Height = 1, .BitCount = 8, .ColorsUsed = 2});
    Append(data, ColorTable({A, B}));
    Append(data, {1, 200, 0, 0});
    EXPECT_EQ(TDIB::FromData(data).Pixels().Pixels, (std::vector<uint32_t>{B, 0}));
}

TEST(DibDecode, ReadDataLeavesTheReaderAfterThePixels)
{
    auto data = DibHeader({.Width = 1, .Height = 2, .BitCount = 8, .ColorsUsed = 1});
    Append(data, ColorTable({A}));
    Append(data, {0, 0, 0, 0, 0, 0, 0, 0});
    const size_t pictureBytes = data.size();
    Append(data, {0xEE, 0xEE});
    TByteReader reader(data);
    const TDIB dib = TDIB::ReadData(reader);
    EXPECT_EQ(reader.Position(), pictureBytes);
    EXPECT_EQ(dib.Pixels().Pixels, (std::vector<uint32_t>{A, A}));
}

TEST(DibDecode, EmptyPictureHasNoPixels)
{
    const TDIB dib = TDIB::FromData(DibHeader({.Width = 0, .Height = 0, .BitCount = 24}));
    EXPECT_TRUE(dib.Empty());
    EXPECT_TRUE(dib.Pixels().Pixels.empty());
}

std::vector<uint8_t> FileHeader(uint32_t pixelOffset)
{
    std::vector<uint8_t> out{'B', 'M'};
    PutU32(out, 0); // file size: not trusted
    PutU32(out, 0);
    PutU32(out, pixelOffset);
    return out;
}

TEST(DibBitmapFile, ReadsPixelsAtTheStatedOffset)
{
    // Colour table ends at 14 + 40 + 8 = 62; four filler bytes follow before the pixels.
    auto data = FileHeader(66);
    Append(data, DibHeader({.Width = 3, .Height = 2, .BitCount = 1}));
    Append(data, ColorTable({A, B}));
    Append(data, {0xEE, 0xEE, 0xEE, 0xEE});
    Append(data, {0xA0, 0, 0, 0, 0x60, 0, 0, 0});
    const TDIB dib = TDIB::FromBitmapFile(data);
    EXPECT_EQ(dib.Pixels().Pixels, TopFirst({{A, B, B}, {B, A, B}}));
}

TEST(DibBitmapFile, ZeroOffsetMeansRightAfterTheTable)
{
    auto data = FileHeader(0);
    Append(data, DibHeader({.Width = 2, .Height = 1, .BitCount = 24}));
    Append(data, {0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0, 0});
    EXPECT_EQ(TDIB::FromBitmapFile(data).Pixels().Pixels, (std::vector<uint32_t>{A, B}));
}

TEST(DibClone, CopiesPixelsAndName)
{
    auto data = DibHeader({.Width = 2, .Height = 1, .BitCount = 24});
    Append(data, {0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0, 0});
    const TDIB dib = TDIB::FromData(data);
    const auto clone = dib.Clone();
    EXPECT_EQ(clone->ClassName(), "TDIB");
    EXPECT_EQ(clone->Pixels().Pixels, dib.Pixels().Pixels);
    EXPECT_NE(&clone->Pixels(), &dib.Pixels());
}

} // namespace
