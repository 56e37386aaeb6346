#include "DibBuilder.h"
#include "drawing/Dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <ostream>
#include <string>
#include <vector>

namespace {

void ExpectInvalid(const std::vector<uint8_t>& data, bool bitmapFile)
{
    try {
        if (bitmapFile)
            TDIB::FromBitmapFile(data);
        else
            TDIB::FromData(data);
        ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "DIB is invalid");
    }
}

std::vector<uint8_t> WithPixels(TDibFields fields, size_t pixelBytes)
{
    auto data = DibHeader(fields);
    data.resize(data.size() + pixelBytes, 0x44);
    return data;
}

struct TRefusal {
    std::string Name;
    std::vector<uint8_t> Data;
    bool BitmapFile = false;
};

void PrintTo(const TRefusal& c, std::ostream* os) { *os << c.Name; }

std::vector<uint8_t> FileForm(uint32_t pixelOffset, const std::vector<uint8_t>& info, const char* magic = "BM")
{
    std::vector<uint8_t> out{static_cast<uint8_t>(magic[0]), static_cast<uint8_t>(magic[1])};
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, pixelOffset);
    Append(out, info);
    return out;
}

// An RLE8 picture with a one-colour table and a few bytes of codes: tiny, whatever size it claims.
std::vector<uint8_t> TinyRle(int32_t width, int32_t height, std::initializer_list<uint8_t> codes)
{
    auto out = DibHeader({.Width = width, .Height = height, .BitCount = 8, .Compression = 1, .ColorsUsed = 1});
    Append(out, ColorTable({0x00FF00}));
    Append(out, codes);
    return out;
}

std::vector<TRefusal> Refusals()
{
    const auto small = WithPixels({.Width = 2, .Height = 1, .BitCount = 24}, 8);
    auto palette = DibHeader({.Width = 2, .Height = 1, .BitCount = 8, .ColorsUsed = 200});
    palette.resize(palette.size() + 40 + 4, 0);
    return {
        {"HeaderSize20", WithPixels({.Size = 20, .Width = 2, .Height = 1}, 8)},
        {"HeaderSize108", WithPixels({.Size = 108, .Width = 2, .Height = 1}, 80)},
        {"HeaderSize0", WithPixels({.Size = 0, .Width = 2, .Height = 1}, 8)},
        {"Compression4", WithPixels({.Width = 2, .Height = 1, .Compression = 4}, 8)},
        {"Compression5", WithPixels({.Width = 2, .Height = 1, .Compression = 5}, 8)},
        {"CompressionAllBits", WithPixels({.Width = 2, .Height = 1, .Compression = 0xFFFFFFFF}, 8)},
        {"BitCount0", WithPixels({.Width = 2, .Height = 1, .BitCount = 0}, 8)},
        {"BitCount2", WithPixels({.Width = 2, .Height = 1, .BitCount = 2, .ColorsUsed = 1}, 8)},
        {"BitCount48", WithPixels({.Width = 2, .Height = 1, .BitCount = 48}, 16)},
        {"Rle8At4Bits", WithPixels({.Width = 2, .Height = 1, .BitCount = 4, .Compression = 1, .ColorsUsed = 1}, 8)},
        {"Rle4At8Bits", WithPixels({.Width = 2, .Height = 1, .BitCount = 8, .Compression = 2, .ColorsUsed = 1}, 8)},
        {"BitFieldsAt24Bits", WithPixels({.Width = 2, .Height = 1, .Compression = 3}, 20)},
        {"NegativeWidth", WithPixels({.Width = -3, .Height = 1}, 12)},
        {"HeightIntMin", WithPixels({.Width = 1, .Height = std::numeric_limits<int32_t>::min()}, 8)},
        {"WidthAboveLimit", WithPixels({.Width = 40000, .Height = 1}, 8)},
        {"HeightAboveLimit", WithPixels({.Width = 1, .Height = -40000}, 8)},
        {"PixelsAboveLimit", WithPixels({.Width = 20000, .Height = 20000}, 8)},
        {"CoreWidthAboveLimit", WithPixels({.Size = 12, .Width = 65535, .Height = 1}, 8)},
        {"ColorsUsed300", WithPixels({.Width = 2, .Height = 1, .BitCount = 8, .ColorsUsed = 300}, 2000)},
        {"ColorsUsedBeyondData", palette},
        {"Nothing", {}},
        {"HeaderCut", std::vector<uint8_t>(small.begin(), small.begin() + 20)},
        {"PixelsOneByteShort", std::vector<uint8_t>(small.begin(), small.end() - 1)},
        {"TallPictureOverFewBytes", WithPixels({.Width = 16384, .Height = 16384, .BitCount = 8}, 4096)},
        {"MasksCut", WithPixels({.Width = 1, .Height = 1, .BitCount = 32, .Compression = 3}, 6)},
        {"RleSizeBeyondData",
         WithPixels({.Width = 2, .Height = 1, .BitCount = 8, .Compression = 1, .ImageSize = 1000, .ColorsUsed = 1}, 8)},
        // 66 bytes in all, claiming a gigabyte of pixels: above the cap.
        {"RleFile16384Square", FileForm(0, TinyRle(16384, 16384, {255, 0, 255, 0, 0, 0, 0, 1})), true},
        // The bare 44-byte form: a header, one colour and no codes at all.
        {"BareRle16384Square", TinyRle(16384, -16384, {})},
        // Within the cap, but far more pixels than the codes could give.
        {"RleFileAtTheCap", FileForm(0, TinyRle(8192, 8192, {255, 0, 255, 0, 0, 0, 0, 1})), true},
        {"BareRle4096Square", TinyRle(4096, 4096, {})},
        {"Rle4096SquareOverAKilobyte", [] {
             auto out = TinyRle(4096, 4096, {});
             out.resize(out.size() + 1024, 0x7F);
             return out;
         }()},
        {"FileWrongMagic", FileForm(54, small, "BA"), true},
        {"FileOffsetInsideHeader", FileForm(20, small), true},
        {"FileOffsetPastEnd", FileForm(5000, small), true},
        {"FileHeaderOnly", {'B', 'M', 0, 0}, true},
    };
}

class DibRefusal : public testing::TestWithParam<TRefusal> {};

TEST_P(DibRefusal, RaisesDibIsInvalid) { ExpectInvalid(GetParam().Data, GetParam().BitmapFile); }

INSTANTIATE_TEST_SUITE_P(Headers, DibRefusal, testing::ValuesIn(Refusals()),
                         [](const auto& test) { return test.param.Name; });

// Every cut of a good picture either decodes (RLE streams may stop anywhere) or is refused; under the
// sanitizers this also proves no cut reads outside the data.
TEST(DibDamage, EveryTruncationIsRefusedOrDecoded)
{
    auto plain = DibHeader({.Width = 5, .Height = 3, .BitCount = 4, .ColorsUsed = 2});
    Append(plain, ColorTable({0x112233, 0x445566}));
    plain.resize(plain.size() + 12, 0x10);
    auto rle = DibHeader({.Width = 5, .Height = 3, .BitCount = 8, .Compression = 1, .ColorsUsed = 2});
    Append(rle, ColorTable({0x112233, 0x445566}));
    Append(rle, {0x03, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 1, 0x09, 0, 0, 1});

    for (const auto* bitmap : {&plain, &rle}) {
        for (size_t cut = 0; cut < bitmap->size(); ++cut) {
            const std::vector<uint8_t> part(bitmap->begin(), bitmap->begin() + static_cast<std::ptrdiff_t>(cut));
            try {
                const TDIB dib = TDIB::FromData(part);
                EXPECT_EQ(dib.Pixels().Pixels.size(), 15u) << "cut at " << cut;
            } catch (const EInvalidGraphic&) {
            }
        }
    }
    EXPECT_THROW(TDIB::FromData(std::vector<uint8_t>(plain.begin(), plain.end() - 1)), EInvalidGraphic);
    EXPECT_NO_THROW(TDIB::FromData(std::vector<uint8_t>(rle.begin(), rle.end() - 3)));
}

// Single bytes of good pictures flipped at random: the decoder must refuse or decode, never fault.
TEST(DibDamage, RandomByteChangesNeverFault)
{
    auto rle4 = DibHeader({.Width = 6, .Height = 4, .BitCount = 4, .Compression = 2, .ColorsUsed = 3});
    Append(rle4, ColorTable({1, 2, 3}));
    Append(rle4, {0x06, 0x12, 0, 0, 0, 5, 0x12, 0x01, 0x20, 0, 0, 2, 1, 1, 0x03, 0x21, 0, 1});
    auto fields = DibHeader({.Width = 3, .Height = -2, .BitCount = 16, .Compression = 3});
    PutU32(fields, 0xF800);
    PutU32(fields, 0x07E0);
    PutU32(fields, 0x001F);
    fields.resize(fields.size() + 16, 0xA5);

    std::mt19937 random(20240611);
    for (const auto* bitmap : {&rle4, &fields}) {
        std::uniform_int_distribution<size_t> at(0, bitmap->size() - 1);
        std::uniform_int_distribution<int> value(0, 255);
        for (int round = 0; round < 3000; ++round) {
            auto damaged = *bitmap;
            damaged[at(random)] = static_cast<uint8_t>(value(random));
            try {
                const TDIB dib = TDIB::FromData(damaged);
                EXPECT_EQ(dib.Pixels().Pixels.size(),
                          static_cast<size_t>(dib.Width()) * static_cast<size_t>(dib.Height()));
            } catch (const EInvalidGraphic& e) {
                EXPECT_STREQ(e.what(), "DIB is invalid");
            }
        }
    }
}

// The weighing spares what real writers make: sparse small pictures and large ones made of full runs.
TEST(DibRleWeighing, PlausibleStreamsDecode)
{
    const TDIB sparse = TDIB::FromData(TinyRle(1024, 1024, {0, 1}));
    EXPECT_EQ(sparse.Pixels().Pixels.size(), 1024u * 1024u);

    // 2048 x 1024 in runs of 255 pixels: 9 runs and a line end per row, 20 bytes for 2048 pixels.
    auto runs = TinyRle(2048, 1024, {});
    for (int row = 0; row < 1024; ++row) {
        for (int i = 0; i < 8; ++i)
            Append(runs, {255, 0});
        Append(runs, {8, 0, 0, 0});
    }
    Append(runs, {0, 1});
    const TDIB full = TDIB::FromData(runs);
    EXPECT_EQ(full.Pixels().At(2047, 1023), 0x00FF00u);
}

TEST(DibFromPixels, RefusesPixelsThatDoNotFitTheSize)
{
    TPixelImage image;
    image.Width = 3;
    image.Height = 2;
    image.Pixels.assign(5, 0);
    EXPECT_THROW(TDIB{image}, EInvalidGraphic);
    image.Width = -3;
    image.Height = -2;
    image.Pixels.assign(6, 0);
    EXPECT_THROW(TDIB{image}, EInvalidGraphic);
}

} // namespace
