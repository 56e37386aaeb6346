#include "RaceFixture.h"

#include "simulation/Collision.h"

#include <limits>

TEST_F(RaceTest, HullRectFollowsTheHeading)
{
    const struct {
        int32_t heading;
        double y;
        TRect expected;
    } cases[] = {
        {360, 664.5, {612, 606, 643, 664}}, {90, 664, {628, 648, 686, 679}}, {30, 664, {616, 606, 671, 671}},
        {180, 664, {613, 664, 644, 722}},   {270, 664, {570, 649, 628, 680}},
    };
    for (const auto& c : cases) {
        Green().X = 628;
        Green().Y = c.y;
        Green().Heading = c.heading;
        EXPECT_EQ(HullRect(Green(), Race().SinTable), c.expected) << c.heading;
    }
}

TEST_F(RaceTest, HullRectBoundsTheDrawnHullAtEveryHeading)
{
    Race().WindSpeed = 0; // no speed, and no turning with the tiller amidships
    Red().X = 100;
    for (int32_t heading = 1; heading <= 360; ++heading) {
        Green().X = 500;
        Green().Y = 400;
        Green().Heading = heading;
        Green().Speed = Green().TargetSpeed = 0;
        Step();
        const TRect r = HullRect(Green(), Race().SinTable);
        int64_t outside = 0;
        for (int32_t y = 300; y < 500; ++y)
            for (int32_t x = 400; x < 600; ++x)
                if (Frame().ReadPixel(x, y) == 0x008080 && (x < r.Left || x > r.Right || y < r.Top || y > r.Bottom))
                    ++outside;
        EXPECT_EQ(outside, 0) << heading;
    }
}

TEST_F(RaceTest, FirstFrameShowsBothHullsInTheirMarkerColours)
{
    Step();
    // 1416 marker pixels per hull with the tiller amidships, less those the hanging sail covers.
    const int64_t green = CountPixels(0x008080);
    const int64_t red = CountPixels(0xFF0000);
    EXPECT_EQ(green, red);
    EXPECT_GT(green, 1416 - 37);
    EXPECT_LE(green, 1416);

    Green().Sail->Image = nullptr;
    Red().Sail->Image = nullptr;
    Step();
    EXPECT_EQ(CountPixels(0x008080), 1416);
    EXPECT_EQ(CountPixels(0xFF0000), 1416);
    EXPECT_EQ(CountPixels(0xFFFF00), 3 * 122);
}

TEST_F(RaceTest, TouchingHullsExplodeTogetherAndShowFromTheNextTick)
{
    Green().X = 500;
    Green().Y = 400;
    Red().X = 500 - 29; // the hulls share one column; the green one is drawn on top
    Red().Y = 400;
    Step();
    EXPECT_TRUE(Green().Crashed);
    EXPECT_TRUE(Red().Crashed);
    // Decided on this frame, drawn from the next.
    EXPECT_GT(CountPixels(0x008080), 1000);
    Step();
    EXPECT_EQ(CountPixels(0x008080), 0);
    EXPECT_EQ(CountPixels(0xFF0000), 0);
}

TEST_F(RaceTest, OnlyOneMovingDinghyStillWrecksBoth)
{
    // The red dinghy lies still; the green one sails west into its side.
    Race().WindDirection = Race().WindTarget = Race().WindBase = 180;
    Red().X = 400;
    Red().Y = 400;
    Red().Moving = false;
    Green().X = 560;
    Green().Y = 400;
    Green().Heading = 270;
    bool crashed = false;
    for (int i = 0; i < 100 && !crashed; ++i) {
        Step();
        crashed = Green().Crashed;
    }
    EXPECT_TRUE(crashed);
    EXPECT_TRUE(Red().Crashed);
    EXPECT_DOUBLE_EQ(Red().X, 400);
}

TEST_F(RaceTest, OverlappingRectanglesAloneDoNotCount)
{
    // Red stern beside the green bow: the boxes overlap in a corner, the hulls stay three pixels apart.
    Green().X = 500;
    Green().Y = 400;
    Red().X = 500 - 24;
    Red().Y = 400 - 54;
    const TRect overlap = Intersection(HullRect(Green(), Race().SinTable), HullRect(Red(), Race().SinTable));
    ASSERT_FALSE(overlap.Empty());
    Step(3);
    EXPECT_FALSE(Green().Crashed);
    EXPECT_FALSE(Red().Crashed);
}

TEST_F(RaceTest, DinghyTouchingABuoyExplodesAlone)
{
    TBoje& buoy = *Race().Buoys[0];
    const TRect hit = buoy.HitRect;
    // The green hull's left side covers the buoy's right edge.
    Green().X = 739;
    Green().Y = 601;
    Step();
    EXPECT_TRUE(Green().Crashed);
    EXPECT_FALSE(Red().Crashed);
    EXPECT_EQ(buoy.HitRect, hit);
    EXPECT_DOUBLE_EQ(buoy.X, 718);
    EXPECT_DOUBLE_EQ(buoy.Y, 579);

    Red().X = 358 - 21;
    Red().Y = 601;
    Step();
    EXPECT_TRUE(Red().Crashed);
}

TEST_F(RaceTest, WreckedDinghyIsNoLongerTested)
{
    StartExplosion(Red(), Race());
    Step(20);
    // The green dinghy sails through the wreck unharmed.
    Green().X = Red().X + 14;
    Green().Y = Red().Y + 40;
    Step(3);
    EXPECT_FALSE(Green().Crashed);
}

class DebugRaceTest : public RaceTest {
protected:
    DebugRaceTest() : RaceTest(true) {}
};

TEST_F(DebugRaceTest, OutlinesShowUnderTheSprites)
{
    Step();
    const TRect r = Race().Buoys[2]->HitRect;
    for (int32_t x = r.Left; x <= r.Right; ++x) {
        EXPECT_EQ(Frame().ReadPixel(x, r.Top), 0xFFFFFFu) << x;
        EXPECT_EQ(Frame().ReadPixel(x, r.Bottom), 0xFFFFFFu) << x;
    }
    // The green dinghy's box: Left 612, Top 606 at the start, its left line not covered by the hull.
    EXPECT_EQ(Frame().ReadPixel(612, 630), 0xFFFFFFu);
}

TEST_F(RaceTest, NoOutlinesWithoutDebug)
{
    Step();
    const TRect r = Race().Buoys[2]->HitRect;
    EXPECT_NE(Frame().ReadPixel(r.Left, r.Top), 0xFFFFFFu);
    EXPECT_NE(Frame().ReadPixel(612, 630), 0xFFFFFFu);
}

// Dinghies days of sailing away: the rectangle is held at the end of the 32-bit range, keeps its
// place relative to the surface, and the tick (with outlines and contact tests) still ends.
TEST_F(DebugRaceTest, FarOffDinghiesStayDefined)
{
    constexpr int32_t Most = std::numeric_limits<int32_t>::max();
    constexpr int32_t Least = std::numeric_limits<int32_t>::min();
    const struct {
        double x, y;
        int32_t heading;
        bool rightSaturates, bottomSaturates, leftSaturates, topSaturates;
    } cases[] = {
        {2147483600.0, 2147483600.0, 135, true, true, false, false},
        {4e9, 4e9, 45, true, true, true, true},
        {-2147483640.0, -2147483640.0, 300, false, false, true, true},
        {-1e300, 1e300, 200, true, true, true, true},
        {std::numeric_limits<double>::quiet_NaN(), 100, Least, false, false, false, false},
    };
    for (const auto& c : cases) {
        Green().X = c.x;
        Green().Y = c.y;
        Green().Heading = c.heading;
        const TRect r = HullRect(Green(), Race().SinTable);
        EXPECT_EQ(r.Right == Most || r.Right == Least, c.rightSaturates) << c.x;
        EXPECT_EQ(r.Bottom == Most || r.Bottom == Least, c.bottomSaturates) << c.y;
        EXPECT_EQ(r.Left == Most || r.Left == Least, c.leftSaturates) << c.x;
        EXPECT_EQ(r.Top == Most || r.Top == Least, c.topSaturates) << c.y;
        EXPECT_LE(r.Left, r.Right);
        EXPECT_LE(r.Top, r.Bottom);
        Step(); // outlines and contact tests over the far rectangle
        EXPECT_FALSE(Green().Crashed);
    }
}

TEST_F(RaceTest, OutlineReachingTheLargestCoordinateEnds)
{
    constexpr int32_t Most = std::numeric_limits<int32_t>::max();
    constexpr int32_t Least = std::numeric_limits<int32_t>::min();
    for (const TRect& r : {TRect{10, 20, Most, Most}, TRect{Least, Least, 30, 40}, TRect{Least, 5, Most, 5}}) {
        DrawOutline(Frame(), r);
        // The parts on the surface are drawn as for any rectangle.
        const int32_t x = r.Left > 0 ? r.Left : 0;
        const int32_t y = r.Top > 0 ? r.Top : 0;
        if (r.Top >= 0) {
            EXPECT_EQ(Frame().ReadPixel(x + 3, r.Top), 0xFFFFFFu);
        }
        if (r.Left >= 0) {
            EXPECT_EQ(Frame().ReadPixel(r.Left, y + 3), 0xFFFFFFu);
        }
        if (r.Right < Frame().Width()) {
            EXPECT_EQ(Frame().ReadPixel(r.Right, r.Bottom - 2), 0xFFFFFFu);
        }
    }
    EXPECT_TRUE(Touches(Frame(), {Most - 5, Most - 5, Most, Most}, 0, 0)) << "off the surface everything reads 0";
    EXPECT_FALSE(Touches(Frame(), {Least, Least, Least + 5, Least + 5}, 0, 0xFFFFFF));
}
