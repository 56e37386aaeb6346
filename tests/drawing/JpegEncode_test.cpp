#include "JpegSamples.h"
#include "drawing/Errors.h"
#include "drawing/JpegEncode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

TEST(JpegEncode, BaselineJfif101At72DpiWith420Sampling)
{
    const auto stream = EncodeJpeg(ColourBlocks(3, 2, BlockColours), 85);
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(stream[0], 0xFF);
    EXPECT_EQ(stream[1], 0xD8);
    EXPECT_EQ(stream[stream.size() - 2], 0xFF);
    EXPECT_EQ(stream[stream.size() - 1], 0xD9);

    const auto segments = HeaderSegments(stream);
    ASSERT_FALSE(segments.empty());
    const TJpegSegment app0 = segments.front();
    ASSERT_EQ(app0.Code, 0xE0);
    ASSERT_GE(app0.Length, 12u);
    EXPECT_EQ(std::string(stream.begin() + static_cast<std::ptrdiff_t>(app0.Payload),
                          stream.begin() + static_cast<std::ptrdiff_t>(app0.Payload) + 5),
              std::string("JFIF\0", 5));
    const uint8_t* jfif = &stream[app0.Payload + 5];
    EXPECT_EQ(jfif[0], 1); // version 1.01
    EXPECT_EQ(jfif[1], 1);
    EXPECT_EQ(jfif[2], 1); // dots per inch
    EXPECT_EQ(jfif[3] << 8 | jfif[4], 72);
    EXPECT_EQ(jfif[5] << 8 | jfif[6], 72);

    for (const auto& seg : segments)
        EXPECT_TRUE(seg.Code != 0xC1 && seg.Code != 0xC2) << "not baseline: marker " << int{seg.Code};
    const size_t frame = FindSegment(stream, 0xC0);
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(stream[frame], 8);                               // sample precision
    EXPECT_EQ(stream[frame + 1] << 8 | stream[frame + 2], 32); // height
    EXPECT_EQ(stream[frame + 3] << 8 | stream[frame + 4], 48); // width
    ASSERT_EQ(stream[frame + 5], 3);
    EXPECT_EQ(stream[frame + 7], 0x22); // luminance 2 x 2 ...
    EXPECT_EQ(stream[frame + 10], 0x11); // ... against each colour difference
    EXPECT_EQ(stream[frame + 13], 0x11);
}

TEST(JpegEncode, HigherQualityKeepsMoreDetail)
{
    TPixelImage noise;
    noise.Width = 64;
    noise.Height = 64;
    std::mt19937 random(7);
    for (int i = 0; i < 64 * 64; ++i)
        noise.Pixels.push_back(random() & 0xFFFFFF);
    EXPECT_GT(EncodeJpeg(noise, 95).size(), 2 * EncodeJpeg(noise, 25).size());
}

struct TBadInput {
    const char* Name;
    int32_t Width;
    int32_t Height;
    size_t PixelCount;
    int Code;
};

class JpegEncodeRefusal : public testing::TestWithParam<TBadInput> {};

TEST_P(JpegEncodeRefusal, RaisesEjpegWithTheLibraryNumber)
{
    const auto& c = GetParam();
    TPixelImage image;
    image.Width = c.Width;
    image.Height = c.Height;
    image.Pixels.assign(c.PixelCount, 0x808080);
    try {
        EncodeJpeg(image, 75);
        ADD_FAILURE() << "encoded";
    } catch (const EJPEG& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG-Fehler #" + std::to_string(c.Code));
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, JpegEncodeRefusal,
                         testing::Values(TBadInput{"Empty", 0, 0, 0, JERR_EMPTY_IMAGE},
                                         TBadInput{"NoRows", 16, 0, 0, JERR_EMPTY_IMAGE},
                                         TBadInput{"PixelsMissing", 4, 4, 15, JERR_BUFFER_SIZE},
                                         TBadInput{"NegativeSize", -4, -4, 16, JERR_BUFFER_SIZE}),
                         [](const auto& test) { return std::string(test.param.Name); });

} // namespace
