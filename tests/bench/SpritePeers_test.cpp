// Each benchmark pair must do the same job: the same picture, in the same place and size, turned the same way.
// The two sampling rules differ at the edges of a turned picture, so only unturned pictures must agree exactly.
#include "bench/cases/SpriteCases.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TComparison {
    int Ours = 0;
    int Theirs = 0;
    int Both = 0;
    int BothSameColour = 0;
};

TComparison Compare(const std::vector<TSpriteDraw>& draws)
{
    TOurSprites ours;
    TQtSprites theirs;
    for (const TSpriteDraw& draw : draws) {
        ours.Draw(draw);
        theirs.Draw(draw);
    }
    const QImage& target = theirs.Target();
    TComparison c;
    for (int32_t y = 0; y < FrameHeight; ++y) {
        for (int32_t x = 0; x < FrameWidth; ++x) {
            const uint32_t a = ours.Buffer().ReadPixel(x, y) & 0xFFFFFFu;
            const uint32_t b = target.pixel(x, y) & 0xFFFFFFu;
            const bool drawnA = a != kBackdrop;
            const bool drawnB = b != kBackdrop;
            c.Ours += drawnA;
            c.Theirs += drawnB;
            c.Both += drawnA && drawnB;
            c.BothSameColour += drawnA && drawnB && a == b;
        }
    }
    return c;
}

class SpritePeers : public ::testing::TestWithParam<int32_t> {};

TEST_P(SpritePeers, DrawTheSamePictureInTheSamePlace)
{
    const int32_t angle = GetParam();
    for (const TSpritePicture& picture : SpritePictures()) {
        SCOPED_TRACE(std::string(picture.Name) + " at " + std::to_string(angle));
        const TComparison c = Compare({{&picture, 500, 400, angle}});
        ASSERT_GT(c.Ours, 100);
        if (angle == 0) {
            // Every pixel we draw Qt draws alike; around a pivot between pixels we leave the last column and row
            // out, which Qt draws.
            EXPECT_EQ(c.BothSameColour, c.Ours);
            EXPECT_LE(c.Theirs - c.Ours, picture.PatternWidth * 2);
            continue;
        }
        // Turned: the same pixels but for a seam one pixel wide along the outline, which is much of a small or thin one.
        EXPECT_NEAR(c.Ours, c.Theirs, c.Ours / 5);
        EXPECT_GT(c.Both, c.Ours * 3 / 5);
        EXPECT_GT(c.BothSameColour, c.Both * 3 / 4);
    }
}

INSTANTIATE_TEST_SUITE_P(Turns, SpritePeers, ::testing::Values(0, 26, 64));

TEST(SpritePeers, TheFrameOfEightDrawsTheSamePixels)
{
    const TComparison c = Compare(FrameDraws());
    EXPECT_NEAR(c.Ours, c.Theirs, c.Ours / 20);
    EXPECT_GT(c.Both, c.Ours * 90 / 100);
    EXPECT_GT(c.BothSameColour, c.Both * 80 / 100);
}

} // namespace
