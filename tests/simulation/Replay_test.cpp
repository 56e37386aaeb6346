#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TRaceState {
    double GreenX, GreenY, RedX, RedY;
    int32_t GreenHeading, RedHeading, Wind;
    bool GreenCrashed, RedCrashed;
    uint32_t Probe;
    friend bool operator==(const TRaceState&, const TRaceState&) = default;
};

// Both players' tillers per tick: the green one circles to starboard, the red one zigzags.
std::vector<TRaceState> PlayScriptedRace(int ticks)
{
    THeadlessGame game(false, 11 * 3600 * 1000);
    game.Race().WindVariation = 30;
    game.Race().WindSpeed = 18;
    std::vector<TRaceState> states;
    for (int t = 0; t < ticks; ++t) {
        game.SetTillers(t % 50 < 20 ? TTiller::Port : TTiller::Amidships,
                        (t / 15) % 2 == 0 ? TTiller::Port : TTiller::Starboard);
        EXPECT_TRUE(game.Tick());
        const TRace& r = game.Race();
        states.push_back({r.Dinghies[0]->X, r.Dinghies[0]->Y, r.Dinghies[1]->X, r.Dinghies[1]->Y,
                          r.Dinghies[0]->Heading, r.Dinghies[1]->Heading, r.WindDirection,
                          r.Dinghies[0]->Crashed, r.Dinghies[1]->Crashed,
                          game.BackBuffer().ReadPixel(static_cast<int32_t>(r.Dinghies[0]->X),
                                                      static_cast<int32_t>(r.Dinghies[0]->Y) - 20)});
    }
    return states;
}

} // namespace

TEST(ScriptedRace, ReplaysExactly)
{
    const auto first = PlayScriptedRace(400);
    const auto second = PlayScriptedRace(400);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_TRUE(first[i] == second[i]) << "tick " << i;
    // The race really happened: both dinghies moved and the wind shifted.
    EXPECT_NE(first.back().GreenY, first.front().GreenY);
    EXPECT_NE(first.back().RedX, first.front().RedX);
    bool windShifted = false;
    for (const auto& s : first)
        windShifted |= s.Wind != 360;
    EXPECT_TRUE(windShifted);
}

TEST(ScriptedRace, TimerSettlesNearSixtyTicksASecond)
{
    THeadlessGame game;
    for (int t = 0; t < 600; ++t)
        ASSERT_TRUE(game.Tick());
    // The display's vertical blank paces the frames; the governor brings the interval up from 0.
    EXPECT_GE(game.Session.DXTimer1.FramesPerSecond(), 59);
    EXPECT_LE(game.Session.DXTimer1.FramesPerSecond(), 61);
    EXPECT_GT(game.Session.DXTimer1.Interval(), 0u);
    EXPECT_LE(game.Session.DXTimer1.Interval(), 15u);
}

TEST(ScriptedRace, NoTicksWhilePausedOrInactive)
{
    THeadlessGame game;
    ASSERT_TRUE(game.Tick());
    game.Session.DXTimer1.SetEnabled(false);
    EXPECT_FALSE(game.Tick());
    game.Session.DXTimer1.SetEnabled(true);
    game.Application.SetActive(false);
    EXPECT_FALSE(game.Tick());
    game.Application.SetActive(true);
    EXPECT_TRUE(game.Tick());
}
