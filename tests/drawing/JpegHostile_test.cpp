// Small streams that claim huge pictures, and pictures cut short: refused with the library's number.
#include "JpegSamples.h"
#include "ProgressiveJpeg.h"
#include "drawing/Errors.h"
#include "drawing/Jpeg.h"
#include "drawing/JpegEncode.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

// clang-format off
#include <jerror.h>
// clang-format on

namespace {

// The number the refusal carries, or -1 when the picture loads and decodes.
int Outcome(const std::vector<uint8_t>& stream)
{
    try {
        const TJPEGImage jpeg(stream);
        jpeg.Pixels();
        return -1;
    } catch (const EJPEG& e) {
        const std::string text = e.what();
        EXPECT_TRUE(text.starts_with("JPEG-Fehler #")) << text;
        return std::stoi(text.substr(13));
    }
}

std::vector<uint8_t> Baseline() { return EncodeJpeg(ColourBlocks(2, 1, BlockColours), 75); }
std::vector<uint8_t> Progressive() { return EncodeProgressiveJpeg(ColourBlocks(2, 1, BlockColours), 75); }

struct THostile {
    std::string Name;
    std::function<std::vector<uint8_t>()> Make;
    int Code;
};

void PrintTo(const THostile& c, std::ostream* os) { *os << c.Name; }

class JpegHostile : public testing::TestWithParam<THostile> {};

TEST_P(JpegHostile, IsRefused)
{
    const auto stream = GetParam().Make();
    EXPECT_EQ(Outcome(stream), GetParam().Code);
}

std::vector<uint8_t> Claiming(std::vector<uint8_t> stream, uint16_t width, uint16_t height)
{
    EXPECT_LT(stream.size(), 1000u); // tiny, as an attacker would send
    SetFrameSize(stream, width, height);
    return stream;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, JpegHostile,
    testing::Values(
        // Above the pixel cap, refused before anything is allocated.
        THostile{"Baseline16384Square", [] { return Claiming(Baseline(), 16384, 16384); }, JERR_IMAGE_TOO_BIG},
        THostile{"Progressive16384Square", [] { return Claiming(Progressive(), 16384, 16384); }, JERR_IMAGE_TOO_BIG},
        // Within the cap, but far more blocks than the stream has bits.
        THostile{"Baseline8192Square", [] { return Claiming(Baseline(), 8192, 8192); }, JWRN_JPEG_EOF},
        THostile{"Progressive4096Square", [] { return Claiming(Progressive(), 4096, 4096); }, JWRN_JPEG_EOF},
        THostile{"BaselineWideStrip", [] { return Claiming(Baseline(), 32768, 64); }, JWRN_JPEG_EOF},
        // Enough bytes to pass the weighing, but the coefficients of a progressive picture of 12 million
        // pixels at full colour resolution do not fit the library's memory limit.
        THostile{"ProgressiveBeyondLibraryMemory",
                 [] {
                     auto s = EncodeProgressiveJpeg(ColourBlocks(2, 1, BlockColours), 75, true);
                     SetFrameSize(s, 3500, 3500);
                     InsertComments(s, 80000);
                     return s;
                 },
                 JERR_NO_BACKING_STORE}),
    [](const auto& test) { return test.param.Name; });

TEST(JpegWeighing, PicturesThatCarryTheirDataDecode)
{
    // A flat picture codes each block in about two bits: well within the weighing.
    TPixelImage flat;
    flat.Width = 1024;
    flat.Height = 512;
    flat.Pixels.assign(1024u * 512u, 0x336699);
    EXPECT_EQ(Outcome(EncodeJpeg(flat, 50)), -1);
    EXPECT_EQ(Outcome(EncodeProgressiveJpeg(flat, 50)), -1);
    EXPECT_EQ(Outcome(EncodeProgressiveJpeg(flat, 50, true)), -1);
}

// 2048 x 2048 at 4:2:0 has 98,304 blocks: 12,288 bytes at one bit a block, 24,576 at two.
TEST(JpegWeighing, SequentialBlocksWeighTwoBitsProgressiveOne)
{
    const auto padded = [](std::vector<uint8_t> s) {
        SetFrameSize(s, 2048, 2048);
        InsertComments(s, 16000 - s.size());
        return s;
    };
    try {
        TJPEGImage{padded(Baseline())};
        ADD_FAILURE() << "baseline accepted";
    } catch (const EJPEG& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG-Fehler #" + std::to_string(JWRN_JPEG_EOF));
    }
    const TJPEGImage progressive(padded(Progressive()));
    EXPECT_EQ(progressive.Width(), 2048);
}

TEST(JpegCut, HalfAPictureWithAnEndMarkerIsRefused)
{
    auto stream = EncodeJpeg(ColourBlocks(8, 8, BlockColours), 90);
    const size_t scan = FindSegment(stream, 0xDA);
    stream.resize(scan + (stream.size() - scan) / 2);
    stream.insert(stream.end(), {0xFF, 0xD9});
    EXPECT_EQ(Outcome(stream), JWRN_HIT_MARKER);
}

TEST(JpegCut, ProgressiveCutAtAnyMarkerIsRefused)
{
    const auto whole = EncodeProgressiveJpeg(ColourBlocks(4, 3, BlockColours), 85);
    ASSERT_EQ(Outcome(whole), -1);
    const auto markers = MarkersAfterFirstScan(whole);
    ASSERT_GT(markers.size(), 5u); // the scans of the simple script and their tables
    for (const size_t at : markers) {
        if (at + 2 == whole.size())
            continue; // the end marker: tested below
        for (const size_t cut : {at, at + 2, at + 4}) {
            const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_NE(Outcome(part), -1) << "cut at " << cut << " of " << whole.size();
            auto ended = part;
            ended.insert(ended.end(), {0xFF, 0xD9});
            EXPECT_NE(Outcome(ended), -1) << "cut at " << cut << " with an end marker";
        }
    }
}

TEST(JpegCut, ProgressiveWithoutOnlyItsEndMarkerDecodes)
{
    const auto whole = EncodeProgressiveJpeg(ColourBlocks(4, 3, BlockColours), 85);
    const TJPEGImage reference(whole);
    const TJPEGImage cut(std::vector<uint8_t>(whole.begin(), whole.end() - 2));
    EXPECT_EQ(cut.Pixels().Pixels, reference.Pixels().Pixels);
}

} // namespace
