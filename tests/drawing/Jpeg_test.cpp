#include "JpegSamples.h"
#include "drawing/Errors.h"
#include "drawing/Jpeg.h"
#include "drawing/JpegEncode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <random>
#include <string>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

int ColourDistance(uint32_t a, uint32_t b)
{
    return std::max({std::abs(Channel(a, 16) - Channel(b, 16)), std::abs(Channel(a, 8) - Channel(b, 8)),
                     std::abs(Channel(a, 0) - Channel(b, 0))});
}

std::string JpegMessage(int code) { return "JPEG-Fehler #" + std::to_string(code); }

void ExpectJpegError(const std::function<void()>& action, int code)
{
    try {
        action();
        ADD_FAILURE() << "no EJPEG";
    } catch (const EJPEG& e) {
        EXPECT_EQ(std::string(e.what()), JpegMessage(code));
    }
}

TEST(JpegImage, HeaderIsReadOnLoadAndPixelsComeBackClose)
{
    const TPixelImage source = ColourBlocks(3, 2, BlockColours);
    const TJPEGImage jpeg(EncodeJpeg(source, 90));
    EXPECT_EQ(jpeg.ClassName(), "TJPEGImage");
    EXPECT_EQ(jpeg.Width(), 48);
    EXPECT_EQ(jpeg.Height(), 32);
    EXPECT_FALSE(jpeg.Grayscale());
    EXPECT_FALSE(jpeg.ProgressiveEncoding());

    const TPixelImage& pixels = jpeg.Pixels();
    ASSERT_EQ(pixels.Width, 48);
    ASSERT_EQ(pixels.Height, 32);
    ASSERT_EQ(pixels.Pixels.size(), 48u * 32u);
    // Inside each block, away from the edges where colour samples of neighbours blend in.
    const auto inside = [](int32_t v) { return v % 16 >= 2 && v % 16 <= 13; };
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 48; ++x) {
            if (inside(x) && inside(y)) {
                ASSERT_LE(ColourDistance(pixels.At(x, y), source.At(x, y)), 4) << x << ", " << y;
            }
        }
    }
    for (const uint32_t p : pixels.Pixels)
        ASSERT_EQ(p >> 24, 0u);
}

TEST(JpegImage, CloneKeepsStreamAndPicture)
{
    const TJPEGImage jpeg(EncodeJpeg(ColourBlocks(1, 1, BlockColours), 80));
    const auto clone = jpeg.Clone();
    EXPECT_EQ(clone->ClassName(), "TJPEGImage");
    EXPECT_EQ(dynamic_cast<const TJPEGImage&>(*clone).Data(), jpeg.Data());
    EXPECT_EQ(clone->Pixels().Pixels, jpeg.Pixels().Pixels);
}

TEST(JpegImage, EmptyImageHasNoPixels)
{
    const TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_TRUE(jpeg.Pixels().Pixels.empty());
}

// Streams the library refuses while the header is read: the message carries its number.
struct TBadStream {
    std::string Name;
    std::function<void(std::vector<uint8_t>&)> Damage;
    int Code;
};

void PrintTo(const TBadStream& c, std::ostream* os) { *os << c.Name; }

class JpegHeaderRefusal : public testing::TestWithParam<TBadStream> {};

TEST_P(JpegHeaderRefusal, RaisesEjpegOnLoad)
{
    auto stream = EncodeJpeg(ColourBlocks(2, 1, BlockColours), 75);
    GetParam().Damage(stream);
    ExpectJpegError([&] { TJPEGImage{stream}; }, GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, JpegHeaderRefusal,
    testing::Values(TBadStream{"NotAJpeg", [](auto& s) { s[0] = 0x89; }, JERR_NO_SOI},
                    TBadStream{"Nothing", [](auto& s) { s.clear(); }, JERR_INPUT_EMPTY},
                    TBadStream{"CutInTheHeader", [](auto& s) { s.resize(60); }, JWRN_JPEG_EOF},
                    TBadStream{"ZeroHeight", [](auto& s) { SetFrameSize(s, 32, 0); }, JERR_EMPTY_IMAGE},
                    TBadStream{"SideAboveLimit", [](auto& s) { SetFrameSize(s, 40000, 16); }, JERR_IMAGE_TOO_BIG},
                    TBadStream{"PixelsAboveLimit", [](auto& s) { SetFrameSize(s, 20000, 20000); }, JERR_IMAGE_TOO_BIG},
                    TBadStream{"LargestHeader", [](auto& s) { SetFrameSize(s, 65535, 65535); }, JERR_IMAGE_TOO_BIG}),
    [](const auto& test) { return test.param.Name; });

TEST(JpegImage, StreamCutInTheImageDataFailsWhenDecoded)
{
    auto stream = EncodeJpeg(ColourBlocks(4, 4, BlockColours), 90);
    stream.resize(FindSegment(stream, 0xDA) + 40);
    const TJPEGImage jpeg(stream);
    EXPECT_EQ(jpeg.Width(), 64);
    ExpectJpegError([&] { jpeg.Pixels(); }, JWRN_JPEG_EOF);
    ExpectJpegError([&] { jpeg.Pixels(); }, JWRN_JPEG_EOF);
}

TEST(JpegImage, MissingEndMarkerStillDecodes)
{
    const auto stream = EncodeJpeg(ColourBlocks(2, 2, BlockColours), 90);
    const TJPEGImage whole(stream);
    const TJPEGImage cut(std::vector<uint8_t>(stream.begin(), stream.end() - 2));
    EXPECT_EQ(cut.Pixels().Pixels, whole.Pixels().Pixels);
}

// Damaged image data is something the library mends with warnings; none may reach the console.
TEST(JpegImage, DamagedImageDataDecodesQuietly)
{
    auto stream = EncodeJpeg(ColourBlocks(4, 4, BlockColours), 90);
    const size_t scan = FindSegment(stream, 0xDA) + 12;
    ASSERT_LT(scan + 64, stream.size() - 2);
    std::mt19937 random(3);
    for (size_t i = scan; i < scan + 64; ++i)
        stream[i] = static_cast<uint8_t>(random());
    stream[scan + 8] = 0xFF; // a stray marker in the middle of the data
    stream[scan + 9] = 0xD3;

    testing::internal::CaptureStderr();
    const TJPEGImage jpeg(stream);
    std::string failure;
    try {
        EXPECT_EQ(jpeg.Pixels().Pixels.size(), 64u * 64u);
    } catch (const EJPEG& e) {
        failure = e.what();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(failure.empty() || failure.starts_with("JPEG-Fehler #")) << failure;
}

// Streams of any length up to a whole one: refused on load, refused on decoding, or decoded.
TEST(JpegImage, EveryCutIsRefusedOrDecoded)
{
    const auto stream = EncodeJpeg(ColourBlocks(2, 1, BlockColours), 60);
    for (size_t cut = 0; cut < stream.size(); cut += 7) {
        try {
            const TJPEGImage jpeg(std::vector<uint8_t>(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut)));
            EXPECT_EQ(jpeg.Pixels().Pixels.size(), 32u * 16u);
        } catch (const EJPEG& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("JPEG-Fehler #")) << e.what();
        }
    }
}

} // namespace
