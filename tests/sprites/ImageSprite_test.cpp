#include "drawing/ImageList.h"
#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

struct AnimationCase {
    const char* name;
    bool looped;
    int32_t frameCount;
    double startPos;
    double speed;
    int32_t moveCount;
    // FramePos and FrameSpeed after each advance, in turn.
    std::vector<std::pair<double, double>> after;
};

class Animation : public ::testing::TestWithParam<AnimationCase> {};

TEST_P(Animation, AdvancesFramePosition)
{
    const AnimationCase& c = GetParam();
    TSpriteEngine engine;
    auto* s = new TImageSprite(&engine);
    s->FrameLooped = c.looped;
    s->FrameCount = c.frameCount;
    s->FramePos = c.startPos;
    s->FrameSpeed = c.speed;
    for (size_t i = 0; i < c.after.size(); ++i) {
        s->Advance(c.moveCount);
        EXPECT_NEAR(s->FramePos, c.after[i].first, 1e-9) << "advance " << i + 1;
        EXPECT_DOUBLE_EQ(s->FrameSpeed, c.after[i].second) << "advance " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, Animation,
    ::testing::Values(
        AnimationCase{"StopsOnLastFrame", false, 5, 4.5, 0.3, 1, {{4.8, 0.3}, {4, 0}, {4, 0}}},
        AnimationCase{"NoFramesStaysAtZero", false, 0, 0, 0, 1, {{0, 0}, {0, 0}}},
        AnimationCase{"NegativeSpeedStopsAtZero", false, 5, 1, -0.4, 1, {{0.6, -0.4}, {0.2, -0.4}, {0, 0}, {0, 0}}},
        AnimationCase{"MoveCountScalesTheStep", false, 10, 0, 0.5, 4, {{2, 0.5}, {4, 0.5}}},
        AnimationCase{"LoopedOneFrameKeepsFraction", true, 1, 0, 1.9, 1,
                      {{0.9, 1.9}, {0.8, 1.9}, {0.7, 1.9}, {0.6, 1.9}}},
        AnimationCase{"LoopedWrapsByWholeTurns", true, 3, 0, 7.5, 1, {{1.5, 7.5}, {0, 7.5}, {1.5, 7.5}}},
        AnimationCase{"LoopedBackwardsAddsACount", true, 4, 0, -1.5, 1, {{2.5, -1.5}, {1, -1.5}, {3.5, -1.5}}},
        AnimationCase{"LoopedWithoutFramesResets", true, 0, 3.3, 0.7, 1, {{0, 0.7}, {0, 0.7}}},
        AnimationCase{"LoopedNegativeCountResets", true, -2, 1, 0.5, 1, {{0, 0.5}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ImageSpriteAnimation, SeventeenthStepOfFiveFramesAtPointThreeStopsOnFrameFour)
{
    TImageSprite s(nullptr);
    s.FrameCount = 5;
    s.FrameSpeed = 0.3;
    for (int i = 1; i <= 16; ++i) {
        s.Advance(1);
        EXPECT_NEAR(s.FramePos, 0.3 * i, 1e-9);
        EXPECT_DOUBLE_EQ(s.FrameSpeed, 0.3);
    }
    s.Advance(1);
    EXPECT_DOUBLE_EQ(s.FramePos, 4);
    EXPECT_DOUBLE_EQ(s.FrameSpeed, 0);
    for (int i = 0; i < 5; ++i)
        s.Advance(1);
    EXPECT_DOUBLE_EQ(s.FramePos, 4);
    EXPECT_EQ(s.CurrentPattern(), 4);
}

TEST(ImageSpriteAnimation, LoopedSingleFrameStaysWithinOneFrame)
{
    TImageSprite s(nullptr);
    s.FrameLooped = true;
    s.FrameCount = 1;
    s.FrameSpeed = 1.9;
    for (int i = 1; i <= 1000; ++i) {
        s.Advance(1);
        ASSERT_GE(s.FramePos, 0.0) << "advance " << i;
        ASSERT_LT(s.FramePos, 1.0) << "advance " << i;
    }
}

TEST(ImageSpriteAnimation, CurrentPatternCountsFromFrameStart)
{
    TImageSprite s(nullptr);
    s.FrameStart = 3;
    EXPECT_EQ(s.CurrentPattern(), 3);
    s.FramePos = 2.9;
    EXPECT_EQ(s.CurrentPattern(), 5);
    s.FrameCount = 0;
    s.Advance(1);
    EXPECT_EQ(s.CurrentPattern(), 3) << "without frames the pattern stays FrameStart";
}

struct CentringCase {
    const char* name;
    double x;
    int32_t spriteSize;
    int32_t patternSize;
    int32_t expectedLeft;
};

class Centring : public ::testing::TestWithParam<CentringCase> {};

TEST_P(Centring, DrawRectCentresThePatternInTheSprite)
{
    const CentringCase& c = GetParam();
    TPictureCollection images;
    TPictureCollectionItem& item = images.Add();
    item.PatternWidth = c.patternSize;
    item.PatternHeight = c.patternSize + 1;
    TImageSprite s(nullptr);
    s.Image = &item;
    s.X = c.x;
    s.Y = c.x;
    s.Width = c.spriteSize;
    s.Height = c.spriteSize + 1;
    const TRect r = s.DrawRect();
    EXPECT_EQ(r.Left, c.expectedLeft);
    EXPECT_EQ(r.Top, c.expectedLeft);
    EXPECT_EQ(r.Right - r.Left, c.spriteSize) << "the rectangle keeps the sprite's size";
    EXPECT_EQ(r.Bottom - r.Top, c.spriteSize + 1);
}

INSTANTIATE_TEST_SUITE_P(Offsets, Centring,
                         ::testing::Values(CentringCase{"SameSize", 10, 8, 8, 10},
                                           CentringCase{"EvenExcess", 10, 12, 8, 12},
                                           CentringCase{"OddExcessPutsSparePixelRight", 10, 11, 8, 11},
                                           CentringCase{"WiderPatternShiftsLeft", 10, 8, 12, 8},
                                           CentringCase{"OddShortfallTruncatesTowardZero", 10, 8, 11, 9},
                                           CentringCase{"CornerTruncatedFirst", -0.7, 5, 8, -1}),
                         [](const auto& p) {
                             return std::string(p.param.name);
                         });

TEST(ImageSpriteRender, DrawsNothingWithoutImageOrSurface)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->Resize(20, 20);
    surface->FillSolid(0x123456);
    TSpriteEngine engine;
    engine.SetSurface(surface.Get());
    auto* s = new TImageSprite(&engine);
    s->Width = s->Height = 10;
    engine.DrawAll();
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(surface->ReadPixel(x, y), 0x123456u);

    TPictureCollection images;
    s->Image = &images.Add();
    engine.SetSurface(nullptr);
    engine.DrawAll();
}

} // namespace

// Absurd animation values (never set by the race) stay defined: a frame position in range or 0.
struct TAbsurdAnimation {
    const char* name;
    bool looped;
    int32_t frameCount;
    double startPos;
    double speed;
    double lowest;
    double highest;
};

class AbsurdAnimation : public ::testing::TestWithParam<TAbsurdAnimation> {};

TEST_P(AbsurdAnimation, KeepsThePositionDefined)
{
    const TAbsurdAnimation& c = GetParam();
    TImageSprite s(nullptr);
    s.FrameLooped = c.looped;
    s.FrameCount = c.frameCount;
    s.FramePos = c.startPos;
    s.FrameSpeed = c.speed;
    s.Advance(1);
    EXPECT_GE(s.FramePos, c.lowest);
    EXPECT_LE(s.FramePos, c.highest);
    s.Advance(std::numeric_limits<int32_t>::max());
    EXPECT_GE(s.FramePos, c.lowest);
    EXPECT_LE(s.FramePos, c.highest);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AbsurdAnimation,
    ::testing::Values(
        TAbsurdAnimation{"LoopedHugePosition", true, 3, 1e300, 0, 0, 3},
        TAbsurdAnimation{"LoopedHugeNegativePosition", true, 7, -1e300, 0, 0, 7},
        TAbsurdAnimation{"LoopedPositionPastInt64", true, std::numeric_limits<int32_t>::max(), 3e28, 1, 0,
                         std::numeric_limits<int32_t>::max()},
        TAbsurdAnimation{"LoopedInfinity", true, 5, std::numeric_limits<double>::infinity(), 0, 0, 5},
        TAbsurdAnimation{"LoopedHugeSpeed", true, 4, 0, 1e308, 0, 4},
        // Stopping on the last frame of the lowest count: -2^31 - 1, exactly, with no 32-bit wrap.
        TAbsurdAnimation{"StopsBelowTheLowestCount", false, std::numeric_limits<int32_t>::min(), 0, 0, 0, 0},
        TAbsurdAnimation{"StopsOnTheLastOfTheHighestCount", false, std::numeric_limits<int32_t>::max(), 1e12, 0,
                         std::numeric_limits<int32_t>::max() - 1.0, std::numeric_limits<int32_t>::max() - 1.0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ImageSpriteAnimation, ExactRemainderWhereTheWholeTurnsFit)
{
    TImageSprite s(nullptr);
    s.FrameLooped = true;
    s.FrameCount = 3;
    s.FramePos = 3e15 + 2;
    s.Advance(0);
    EXPECT_DOUBLE_EQ(s.FramePos, 2);
}

TEST(ImageSpriteDrawRect, FarOffSpriteSaturatesInsteadOfWrapping)
{
    TPictureCollection images;
    TPictureCollectionItem& item = images.Add();
    item.PatternWidth = 4;
    item.PatternHeight = 4;
    TImageSprite s(nullptr);
    s.Image = &item;
    s.Width = 40;
    s.Height = 40;
    s.X = 3e9;
    s.Y = -3e9;
    const TRect r = s.DrawRect();
    EXPECT_EQ(r.Left, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(r.Right, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(r.Top, std::numeric_limits<int32_t>::min() + 18);
    EXPECT_TRUE(r.Empty());
}
