// The demo's loop: when the next regatta begins, what it hands over at the start and at the end, its winds,
// and a headless demo racing one regatta into the next.
#include "simulation/DemoLoop.h"
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TRaceEvent EventAt(TRaceEvent::TKind kind, int64_t tick)
{
    return {kind, -1, TRule::None, 0, 0, tick};
}

TEST(DemoLoop, NextRegattaIsDueOnlyWhenTheResultsHaveStoodTheirTime)
{
    constexpr int64_t Over = 5000;
    constexpr int64_t Shown = TDemoLoop::ResultsTicks;
    const struct {
        const char* Name;
        bool Begun;
        std::vector<TRaceEvent> Events;
        bool EndedAfter;
        int64_t Tick;
        bool Due;
    } cases[] = {
        {"nothing over yet", true, {EventAt(TRaceEvent::Start, 900)}, false, Over + Shown, false},
        {"a finish is not the end", true, {EventAt(TRaceEvent::Finished, Over)}, false, Over + Shown, false},
        {"results a tick short", true, {EventAt(TRaceEvent::Over, Over)}, false, Over + Shown - 1, false},
        {"results shown in full", true, {EventAt(TRaceEvent::Over, Over)}, false, Over + Shown, true},
        {"long after", true, {EventAt(TRaceEvent::Over, Over)}, false, Over + 10 * Shown, true},
        {"not begun", false, {EventAt(TRaceEvent::Over, Over)}, false, Over + Shown, false},
        {"ended by the player", true, {EventAt(TRaceEvent::Over, Over)}, true, Over + Shown, false},
    };
    for (const auto& c : cases) {
        THeadlessGame game;
        TDemoLoop demo(game.Session, game.Commands, 1);
        if (c.Begun)
            demo.Begin();
        for (const TRaceEvent& e : c.Events)
            demo.Seen(e);
        if (c.EndedAfter)
            demo.End();
        EXPECT_EQ(demo.Due(c.Tick), c.Due) << c.Name;
        const TRegatta* before = game.Session.Regatta();
        EXPECT_EQ(demo.Poll(c.Tick), c.Due) << c.Name;
        if (c.Due) {
            ASSERT_NE(game.Session.Regatta(), nullptr) << c.Name;
            EXPECT_EQ(game.Session.Regatta()->Phase(), TRegattaPhase::Countdown) << c.Name;
            // Begun once, the next is due only after its own end.
            EXPECT_FALSE(demo.Due(c.Tick + Shown)) << c.Name;
        } else {
            EXPECT_EQ(game.Session.Regatta(), before) << c.Name;
        }
    }
}

TEST(DemoLoop, BeginHandsBothDinghiesToTheComputerAndEndBackToThePlayers)
{
    THeadlessGame game;
    TDemoLoop demo(game.Session, game.Commands, 7);
    demo.Begin();
    EXPECT_TRUE(demo.Running());
    EXPECT_TRUE(game.Session.ComputerSteers(TPlayer::Green));
    EXPECT_TRUE(game.Session.ComputerSteers(TPlayer::Red));
    ASSERT_NE(game.Session.Regatta(), nullptr);
    EXPECT_EQ(game.Session.Regatta()->Settings(), TDemoLoop::Regatta);
    // Helms steer through the commands as keys do: after a few ticks the tillers are theirs.
    game.Session.SetHelmCommands(&game.Commands);
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(game.Tick());
    game.Commands.SetTiller(TPlayer::Green, TTiller::Starboard);
    game.Commands.SetTiller(TPlayer::Red, TTiller::Port);

    demo.End();
    EXPECT_FALSE(demo.Running());
    EXPECT_FALSE(game.Session.ComputerSteers(TPlayer::Green));
    EXPECT_FALSE(game.Session.ComputerSteers(TPlayer::Red));
    EXPECT_EQ(game.Session.Regatta(), nullptr);
    for (const TQuibo* dinghy : game.Race().Dinghies)
        EXPECT_EQ(dinghy->Tiller, static_cast<int32_t>(TTiller::Amidships));
    // The players steer again, and nothing takes the tiller from them.
    game.Commands.SetTiller(TPlayer::Red, TTiller::Starboard);
    ASSERT_TRUE(game.Tick());
    EXPECT_EQ(game.Race().Dinghies[1]->Tiller, static_cast<int32_t>(TTiller::Starboard));
}

TEST(DemoLoop, WindsCoverTheirRangeFromTheDemosOwnGenerator)
{
    THeadlessGame game;
    TDemoLoop demo(game.Session, game.Commands, 12345);
    TWindSettings least{TWindSettings::MaxDirection, TWindSettings::MaxVariation, TWindSettings::MaxSpeed};
    TWindSettings most{0, -1, 0};
    const uint32_t raceSeed = RandSeed;
    for (int i = 0; i < 2000; ++i) {
        const TWindSettings w = demo.NextWind();
        ASSERT_TRUE(w.WithinLimits());
        least = {std::min(least.Direction, w.Direction), std::min(least.Variation, w.Variation),
                 std::min(least.Speed, w.Speed)};
        most = {std::max(most.Direction, w.Direction), std::max(most.Variation, w.Variation),
                std::max(most.Speed, w.Speed)};
    }
    EXPECT_EQ(RandSeed, raceSeed) << "the race's generator was drawn from";
    EXPECT_EQ(least, (TWindSettings{TWindSettings::MinDirection, 0, TDemoLoop::MinSpeed}));
    EXPECT_EQ(most, (TWindSettings{TWindSettings::MaxDirection, TDemoLoop::MaxVariation, TDemoLoop::MaxSpeed}));

    TDemoLoop same(game.Session, game.Commands, 12345);
    TDemoLoop other(game.Session, game.Commands, 12346);
    const TWindSettings first = same.NextWind();
    EXPECT_EQ(first, TDemoLoop(game.Session, game.Commands, 12345).NextWind());
    EXPECT_NE(first, other.NextWind());
}

// The demo as a driver runs it: events passed on, polled between ticks. The first regatta ends, its results
// stand their time, and the next begins in another wind.
TEST(DemoRace, OneRegattaIsOverAndTheNextBeginsInAnotherWind)
{
    RandSeed = 4711;
    THeadlessGame game(false, 10 * 3600 * 1000);
    game.Session.SetHelmCommands(&game.Commands);
    TDemoLoop demo(game.Session, game.Commands, 99);
    demo.Begin();
    const TWindSettings firstWind = game.Session.WindSettings();
    int64_t overAt = -1;
    int64_t nextAt = -1;
    for (int64_t t = 0; t < 12000 && nextAt < 0; ++t) {
        ASSERT_TRUE(game.Tick());
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            demo.Seen(event);
            if (event.Kind == TRaceEvent::Over)
                overAt = event.Tick;
        }
        if (demo.Poll(game.Race().ProcessedTicks()))
            nextAt = game.Race().ProcessedTicks();
    }
    ASSERT_GE(overAt, 0) << "the first regatta never ended";
    ASSERT_EQ(nextAt, overAt + TDemoLoop::ResultsTicks);
    ASSERT_NE(game.Session.Regatta(), nullptr);
    EXPECT_EQ(game.Session.Regatta()->Phase(), TRegattaPhase::Countdown);
    EXPECT_NE(game.Session.WindSettings(), firstWind);
    for (size_t d = 0; d < 2; ++d)
        EXPECT_EQ(game.Session.Regatta()->Dinghy(d).Standing, TStanding::Waiting) << "dinghy " << d;
}

} // namespace
