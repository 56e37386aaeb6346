#include "RaceFixture.h"

#include "sprites/DXSpriteEngine.h"

#include <cmath>

TEST_F(RaceTest, DefaultLayout)
{
    const struct {
        const char* name;
        const TImageSprite* sprite;
        double x, y;
    } sprites[] = {
        {"green dinghy", &Green(), 628, 664.5},  {"red dinghy", &Red(), 448, 664.5},
        {"buoy 0", Race().Buoys[0], 718, 579},   {"buoy 1", Race().Buoys[1], 358, 579},
        {"buoy 2", Race().Buoys[2], 718, 114},   {"wind rose", Race().WindRose, 994, 82},
    };
    for (const auto& s : sprites) {
        EXPECT_DOUBLE_EQ(s.sprite->X, s.x) << s.name;
        EXPECT_DOUBLE_EQ(s.sprite->Y, s.y) << s.name;
    }
    EXPECT_EQ(Race().Buoys[0]->HitRect, (TRect{710, 572, 725, 587}));
    EXPECT_EQ(Race().Buoys[1]->HitRect, (TRect{350, 572, 365, 587}));
    EXPECT_EQ(Race().Buoys[2]->HitRect, (TRect{710, 106, 725, 121}));
    for (const TBoje* buoy : Race().Buoys) {
        EXPECT_EQ(buoy->Width, 15);
        EXPECT_EQ(buoy->FrameCount, 1);
        EXPECT_TRUE(buoy->FrameLooped);
        EXPECT_DOUBLE_EQ(buoy->FrameSpeed, 1.9);
    }
    EXPECT_EQ(Race().WindRose->Width, 41);
    EXPECT_EQ(Green().Width, 30);
    EXPECT_EQ(Green().Height, 57);
    EXPECT_EQ(Green().Sail->Width, 39);
    EXPECT_EQ(Green().Sail->Height, 8);
}

TEST_F(RaceTest, WindDefaults)
{
    EXPECT_EQ(Race().WindDirection, 360);
    EXPECT_EQ(Race().WindBase, 360);
    EXPECT_EQ(Race().WindVariation, 5);
    EXPECT_EQ(Race().WindTarget, 360);
    EXPECT_EQ(Race().WindSpeed, 15);
}

TEST_F(RaceTest, CreationOrderDecidesDrawingOrder)
{
    TSpriteEngine& engine = Game->Session.DXSpriteEngine1.Engine();
    ASSERT_EQ(engine.Count(), 8);
    const TSprite* created[] = {&Green(), Green().Sail, &Red(),          Red().Sail,
                                Race().WindRose, Race().Buoys[0], Race().Buoys[1], Race().Buoys[2]};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(engine.Items(i), created[i]) << i;
        // Drawn last-created first, so the green dinghy ends up on top of everything.
        EXPECT_EQ(engine.DrawList()[static_cast<size_t>(7 - i)], created[i]) << i;
    }
}

TEST_F(RaceTest, RelativeWindAngle)
{
    const struct {
        int32_t wind, heading, expected;
    } cases[] = {{360, 360, 0}, {360, 1, 359}, {1, 360, 1}, {90, 360, 90}, {270, 90, 180}, {180, 360, 180}};
    for (const auto& c : cases) {
        Race().WindDirection = c.wind;
        EXPECT_EQ(Race().RelativeWindAngle(c.heading), c.expected) << c.wind << "/" << c.heading;
    }
}

TEST_F(RaceTest, RestartAfterACrashPutsTheDinghiesBack)
{
    Green().Heading = 90;
    Green().X = 100;
    Red().Tiller = 0;
    Race().WindDirection = 200;
    StartExplosion(Green(), Race());
    Step(5);
    for (int i = 0; i < 25; ++i)
        Race().SpeedButtonStartClick();

    EXPECT_EQ(Game->Session.DXSpriteEngine1.Engine().Count(), 8);
    for (TQuibo* d : Race().Dinghies) {
        EXPECT_FALSE(d->Crashed);
        EXPECT_EQ(d->Heading, 360);
        EXPECT_DOUBLE_EQ(d->Speed, -0.1);
        EXPECT_DOUBLE_EQ(d->TargetSpeed, -0.1);
        EXPECT_EQ(d->Tiller, 1);
        EXPECT_EQ(d->Width, 30);
        EXPECT_EQ(d->Height, 57);
        EXPECT_DOUBLE_EQ(d->Y, 664.5);
    }
    EXPECT_EQ(Green().Image, &Race().Image("B0"));
    EXPECT_EQ(Red().Image, &Race().Image("B1"));
    EXPECT_DOUBLE_EQ(Green().X, 628);
    // The wind is left alone.
    EXPECT_NE(Race().WindDirection, 360);
}

TEST_F(RaceTest, BuoysFlipPatternsEveryFewTicks)
{
    TBoje& buoy = *Race().Buoys[0];
    int flips = 0;
    int32_t last = 0;
    for (int i = 0; i < 50; ++i) {
        Step();
        EXPECT_GE(buoy.FramePos, 0.0);
        EXPECT_LT(buoy.FramePos, 1.0);
        const int32_t pattern = static_cast<int32_t>(std::lrint(buoy.FramePos));
        flips += pattern != last;
        last = pattern;
    }
    EXPECT_GE(flips, 8);
    EXPECT_LE(flips, 12);
}

TEST_F(RaceTest, WindRoseAndBuoysTurnWithTheWind)
{
    // Wind from 360: the rose's arrow points down, its head below the centre, centred on (994, 82).
    Step();
    EXPECT_EQ(Frame().ReadPixel(994, 82 + 15), 0xFFFFFFu);
    EXPECT_NE(Frame().ReadPixel(994 + 15, 82), 0xFFFFFFu);

    // Wind from 90 (east): the arrow points west, its head left of the centre.
    Race().WindDirection = Race().WindTarget = Race().WindBase = 90;
    Step();
    EXPECT_EQ(Frame().ReadPixel(994 - 15, 82), 0xFFFFFFu);
    EXPECT_NE(Frame().ReadPixel(994, 82 + 15), 0xFFFFFFu);
}
