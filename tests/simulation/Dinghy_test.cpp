#include "RaceFixture.h"

#include <algorithm>
#include <cmath>

TEST_F(RaceTest, SpeedRampsTowardsTheTargetWithoutOvershooting)
{
    TQuibo& d = Green();
    d.TargetSpeed = 3.0;
    d.Advance(1);
    EXPECT_NEAR(d.Speed, -0.05, 1e-12);
    int advances = 1;
    while (d.Speed < 3.0 && advances < 100) {
        d.Advance(1);
        ++advances;
        EXPECT_LE(d.Speed, 3.0);
    }
    EXPECT_EQ(d.Speed, 3.0);
    EXPECT_NEAR(advances, 62, 1);

    d.TargetSpeed = 2.97;
    d.Advance(1);
    EXPECT_EQ(d.Speed, 2.97);
}

TEST_F(RaceTest, MovesAlongTheHeadingAndCarriesTheSail)
{
    const struct {
        int32_t heading;
        double dx, dy, sailDx, sailDy;
    } cases[] = {{90, 2, 0, 51, 0}, {360, 0, -2, 3, -48}, {180, 0, 2, 3, 48}, {270, -2, 0, -45, 0}};
    for (const auto& c : cases) {
        TQuibo& d = Green();
        d.X = 500;
        d.Y = 400;
        d.Heading = c.heading;
        d.Speed = d.TargetSpeed = 2;
        d.Advance(1);
        EXPECT_NEAR(d.X, 500 + c.dx, 1e-9) << c.heading;
        EXPECT_NEAR(d.Y, 400 + c.dy, 1e-9) << c.heading;
        EXPECT_NEAR(d.Sail->X, d.X + c.sailDx, 1e-9) << c.heading;
        EXPECT_NEAR(d.Sail->Y, d.Y + c.sailDy, 1e-9) << c.heading;
    }
}

TEST(SailTrim, PatternAndAngleForEachPointOfSail)
{
    const int32_t heading = 100;
    const int32_t wind = 40;
    const struct {
        int32_t r, pattern, angle;
    } cases[] = {
        {0, 2, 130},   {29, 2, 130},  {30, 1, 197},  {79, 1, 197},  {80, 1, 235},   {139, 1, 235},
        {140, 1, 280}, {179, 1, 280}, {180, 0, 100}, {219, 0, 100}, {220, 0, 145},  {279, 0, 145},
        {280, 0, 183}, {329, 0, 183}, {330, 2, 130}, {359, 2, 130},
    };
    for (const auto& c : cases) {
        const TSailTrim trim = SailTrim(c.r, heading, wind);
        EXPECT_EQ(trim.Pattern, c.pattern) << c.r;
        EXPECT_EQ(trim.AngleDegrees, c.angle) << c.r;
    }
}

TEST_F(RaceTest, SailDrawnForThePointOfSail)
{
    // Wind from astern: the full sail (pattern 0) stands out unrotated to the right of the mast.
    Race().WindDirection = Race().WindTarget = Race().WindBase = 180;
    Green().X = 500;
    Green().Y = 400;
    Step();
    const int32_t mastX = static_cast<int32_t>(std::lrint(Green().Sail->X));
    const int32_t mastY = static_cast<int32_t>(std::lrint(Green().Sail->Y));
    // Pattern 0, row 3 is the foot: columns 0..38.
    for (int32_t i : {20, 30, 37})
        EXPECT_EQ(Frame().ReadPixel(mastX + i, mastY + 3), 0xFFFFFFu) << i;
    EXPECT_NE(Frame().ReadPixel(mastX + 20, mastY + 6), 0xFFFFFFu);

    // Head to wind: the flapping sail hangs from the mast towards the stern, along the hull.
    Race().WindDirection = Race().WindTarget = Race().WindBase = 360;
    Green().X = 500;
    Green().Y = 400;
    Step();
    int64_t white = 0;
    for (int32_t y = 400 - 48; y < 400 - 5; ++y)
        for (int32_t x = 500 - 4; x <= 500 + 4; ++x)
            white += Frame().ReadPixel(x, y) == 0xFFFFFFu;
    EXPECT_GE(white, 30);
}

TEST_F(RaceTest, WreckedDinghyStaysPutAndPlaysTheExplosionOnce)
{
    StartExplosion(Green(), Race());
    StartExplosion(Green(), Race()); // a second call in the same tick changes nothing
    EXPECT_TRUE(Green().Crashed);
    EXPECT_EQ(Green().Width, 28);
    EXPECT_EQ(Green().Height, 27);
    EXPECT_EQ(Green().Image, &Race().Image("Explode"));
    const double x = Green().X;
    const double y = Green().Y;

    std::vector<int32_t> patterns;
    for (int i = 0; i < 30; ++i) {
        Green().TargetSpeed = 3.9;
        Step();
        patterns.push_back(Green().CurrentPattern());
        EXPECT_EQ(Green().X, x);
        EXPECT_EQ(Green().Y, y);
    }
    EXPECT_EQ(patterns.front(), 0);
    EXPECT_EQ(patterns.back(), 4);
    for (size_t i = 1; i < patterns.size(); ++i)
        EXPECT_GE(patterns[i], patterns[i - 1]);
    for (int32_t p = 0; p < 5; ++p) {
        const auto n = std::count(patterns.begin(), patterns.end(), p);
        EXPECT_GE(n, p < 4 ? 3 : 4) << p;
    }
    // The last pattern is empty: the wreck has vanished, only the water shows where it lay.
    const auto left = static_cast<int32_t>(x);
    const auto top = static_cast<int32_t>(y);
    for (int32_t yy = top; yy < top + 27; ++yy)
        for (int32_t xx = left; xx < left + 28; ++xx) {
            const uint32_t p = Frame().ReadPixel(xx, yy);
            EXPECT_GE(p & 0xFF, 180u) << xx << "," << yy;
        }
}

TEST_F(RaceTest, ExplosionPlaysAgainAfterARestart)
{
    StartExplosion(Red(), Race());
    Step(30);
    EXPECT_EQ(Red().CurrentPattern(), 4);
    Race().SpeedButtonStartClick();
    StartExplosion(Red(), Race());
    EXPECT_EQ(Red().CurrentPattern(), 0);
}

TEST_F(RaceTest, DinghyOffTheRightEdgeIsNotDrawn)
{
    Green().X = 1076;
    Green().Y = 400;
    Green().Heading = 270;
    Race().WindDirection = Race().WindTarget = Race().WindBase = 180;
    Step();
    // The stern point crossed the edge: though half the hull would lie on the surface, nothing is drawn.
    EXPECT_EQ(CountPixels(0x008080), 0);
}
