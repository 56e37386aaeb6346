#include "drawing/Device.h"
#include "drawing/Surface.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/RaceDigest.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

TEST(FrameDigest, EveryPixelCounts)
{
    TDirectDraw device;
    const TSurfaceHandle handle = device.CreateSurface();
    TDirectDrawSurface& surface = *handle;
    // An odd width: the last pixels of a row are not in a block of eight.
    surface.Resize(21, 5);
    surface.FillSolid(0x123456);
    const uint64_t plain = FrameDigest(surface);
    std::set<uint64_t> seen{plain};
    for (const auto& [x, y] : {std::pair{0, 0}, {7, 0}, {8, 0}, {16, 2}, {20, 2}, {20, 4}, {0, 4}}) {
        surface.WritePixel(x, y, 0x123457);
        EXPECT_TRUE(seen.insert(FrameDigest(surface)).second) << x << ", " << y;
        surface.WritePixel(x, y, 0x123456);
        EXPECT_EQ(FrameDigest(surface), plain);
    }
    // Two pixels swapped are another frame.
    surface.WritePixel(1, 1, 0xFF0000);
    const uint64_t one = FrameDigest(surface);
    surface.WritePixel(1, 1, 0x123456);
    surface.WritePixel(2, 1, 0xFF0000);
    EXPECT_NE(FrameDigest(surface), one);

    // The same pixels in another shape are another frame; no storage reads as 0.
    const TSurfaceHandle otherHandle = device.CreateSurface();
    TDirectDrawSurface& other = *otherHandle;
    other.Resize(5, 21);
    other.FillSolid(0x123456);
    EXPECT_NE(FrameDigest(other), plain);
    other.Resize(0, 0);
    EXPECT_EQ(FrameDigest(other), 0u);
}

TEST(RaceStateDigest, EveryPartOfTheRaceCountsButNotThePace)
{
    THeadlessGame game;
    ASSERT_TRUE(game.Tick());
    TRace& race = game.Race();
    const struct {
        const char* what;
        std::function<void()> change;
        bool state, pace;
    } changes[] = {
        {"green x", [&] { race.Dinghies[0]->X += 1e-9; }, true, false},
        {"red y", [&] { race.Dinghies[1]->Y -= 1; }, true, false},
        {"heading", [&] { race.Dinghies[0]->Heading = 7; }, true, false},
        {"tiller", [&] { race.Dinghies[1]->Tiller = 2; }, true, false},
        {"speed", [&] { race.Dinghies[1]->Speed = 1.5; }, true, false},
        {"target speed", [&] { race.Dinghies[0]->TargetSpeed = 2; }, true, false},
        {"explosion", [&] { StartExplosion(*race.Dinghies[1], race); }, true, false},
        {"sail", [&] { race.Dinghies[0]->Sail->X += 3; }, true, false},
        {"buoy frame", [&] { race.Buoys[2]->FramePos += 1; }, true, false},
        {"wind", [&] { race.WindDirection = 17; }, true, false},
        {"wind target", [&] { race.WindTarget = 18; }, true, false},
        {"wind speed", [&] { race.WindSpeed = 3; }, true, false},
        {"wind step counter", [&] { ++game.Session.DXTimer1.Tag; }, true, false},
        {"random seed", [&] { RandSeed ^= 1; }, true, false},
        {"processed tick", [&] { ASSERT_TRUE(game.Tick()); }, true, true},
        {"interval", [&] { game.Session.DXTimer1.SetInterval(game.Session.DXTimer1.Interval() + 3); }, false, true},
        {"late ticks", [&] { ++race.LagTicks; }, false, true},
        {"timer off", [&] { game.Session.Pause(); }, false, true},
    };
    for (const auto& c : changes) {
        const uint64_t state = RaceStateDigest(race);
        const uint64_t pace = RacePaceDigest(race);
        c.change();
        EXPECT_EQ(RaceStateDigest(race) != state, c.state) << c.what;
        EXPECT_EQ(RacePaceDigest(race) != pace, c.pace) << c.what;
    }
}

} // namespace
