// A computer helm in the race: it steers through the commands once per processed tick, leaves the race's
// generator and wind alone, replays exactly, and its state is in the digest only while it steers.
#include "simulation/Quibo.h"
#include "simulation/RaceDigest.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/regatta/LineCrossing.h"
#include "simulation/regatta/MarkRounding.h"

#include "RecordedCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t TimeOfDay = 9 * 3600 * 1000 + 17 * 1000;

TEST(HelmRace, SteersThroughTheCommandsOncePerProcessedTick)
{
    THeadlessGame game(false, TimeOfDay);
    TRecordedCommands recorded;
    game.Session.SetHelmCommands(&recorded);
    game.Session.SetHelm(TPlayer::Red, 3);
    ASSERT_TRUE(game.Tick());
    EXPECT_EQ(recorded.Take().size(), 1u);
    ASSERT_TRUE(game.Tick());
    const std::vector<std::string> second = recorded.Take();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].rfind("red ", 0), 0u) << second[0];

    game.Session.SetHelm(TPlayer::Green, 5);
    ASSERT_TRUE(game.Tick());
    const std::vector<std::string> both = recorded.Take();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].rfind("green ", 0), 0u);
    EXPECT_EQ(both[1].rfind("red ", 0), 0u);

    // Paused, no tick and no command; given back to the players, none either.
    game.Commands.Pause();
    EXPECT_FALSE(game.Tick());
    EXPECT_TRUE(recorded.Take().empty());
    game.Commands.Resume();
    game.Session.SetHelm(TPlayer::Green, std::nullopt);
    game.Session.SetHelm(TPlayer::Red, std::nullopt);
    ASSERT_TRUE(game.Tick());
    EXPECT_TRUE(recorded.Take().empty());
    game.Session.SetHelmCommands(nullptr);
}

TEST(HelmRace, ThePlayersKeysDoNotSteerADinghyTheComputerSteers)
{
    THeadlessGame game(false, TimeOfDay);
    game.Session.SetHelm(TPlayer::Green, 4);
    EXPECT_TRUE(game.Session.ComputerSteers(TPlayer::Green));
    EXPECT_FALSE(game.Session.ComputerSteers(TPlayer::Red));
    game.Race().Dinghies[0]->Tiller = 1;
    game.SetTillers(TTiller::Port, TTiller::Starboard);
    EXPECT_EQ(game.Race().Dinghies[0]->Tiller, 1);
    EXPECT_EQ(game.Race().Dinghies[1]->Tiller, 2);
}

struct TTickRecord {
    uint64_t State;
    uint64_t Frame;
    int32_t Wind;
    int32_t WindTarget;
    uint32_t Seed;
    friend bool operator==(const TTickRecord&, const TTickRecord&) = default;
};

std::vector<TTickRecord> Play(bool withHelms, int32_t ticks)
{
    RandSeed = 77;
    THeadlessGame game(false, TimeOfDay);
    game.Commands.ApplyWindSettings({40, 25, 17});
    if (withHelms) {
        game.Session.SetHelm(TPlayer::Green, 5);
        game.Session.SetHelm(TPlayer::Red, 1);
    }
    game.Commands.StartRegatta({1, TRegattaRules::Penalties});
    std::vector<TTickRecord> records;
    for (int32_t t = 0; t < ticks; ++t) {
        EXPECT_TRUE(game.Tick());
        records.push_back({RaceStateDigest(game.Race()), FrameDigest(game.BackBuffer()), game.Race().WindDirection,
                           game.Race().WindTarget, RandSeed});
    }
    return records;
}

TEST(HelmRace, ReplaysExactlyAndNeverMovesTheWind)
{
    const std::vector<TTickRecord> first = Play(true, 1500);
    const std::vector<TTickRecord> second = Play(true, 1500);
    const std::vector<TTickRecord> players = Play(false, 1500);
    ASSERT_EQ(first.size(), second.size());
    for (size_t t = 0; t < first.size(); ++t) {
        ASSERT_TRUE(first[t] == second[t]) << "tick " << t + 1;
        // The wind and the race's generator go exactly as they do with nobody steering.
        ASSERT_EQ(first[t].Wind, players[t].Wind) << "tick " << t + 1;
        ASSERT_EQ(first[t].WindTarget, players[t].WindTarget) << "tick " << t + 1;
        ASSERT_EQ(first[t].Seed, players[t].Seed) << "tick " << t + 1;
    }
    // The computers sailed: their dinghies went elsewhere than the players' idle ones.
    EXPECT_NE(first.back().State, players.back().State);
    EXPECT_NE(first.back().Frame, players.back().Frame);
}

TEST(HelmRace, TheDigestCoversAHelmOnlyWhileItSteers)
{
    THeadlessGame game(false, TimeOfDay);
    ASSERT_TRUE(game.Tick());
    const uint64_t players = RaceStateDigest(game.Race());
    game.Session.SetHelm(TPlayer::Green, 2);
    const uint64_t green = RaceStateDigest(game.Race());
    EXPECT_NE(green, players);
    game.Session.SetHelm(TPlayer::Green, 3);
    EXPECT_NE(RaceStateDigest(game.Race()), green) << "the skill is part of it";
    game.Session.SetHelm(TPlayer::Green, std::nullopt);
    EXPECT_EQ(RaceStateDigest(game.Race()), players);
}

TEST(HelmRace, TwoHelmsOfOneRaceDrawDifferentNumbers)
{
    RandSeed = 1234;
    const TComputerHelm green(3, TPlayer::Green, RandSeed);
    const TComputerHelm red(3, TPlayer::Red, RandSeed);
    EXPECT_NE(green.Memory().Random, red.Memory().Random);
    EXPECT_EQ(TComputerHelm(3, TPlayer::Green, 1234).Memory().Random, green.Memory().Random);
    // Skills beyond 1..5 are brought within them.
    EXPECT_EQ(TComputerHelm(0, TPlayer::Green, 1).Skill(), 1);
    EXPECT_EQ(TComputerHelm(9, TPlayer::Green, 1).Skill(), 5);
}

// Two laps of the course in free sailing, where touching a buoy explodes, red out of the way in a corner.
void SailTwoFreeLaps(int32_t wind, int32_t skill)
{
    THeadlessGame game(false, TimeOfDay);
    game.Commands.ApplyWindSettings({wind, 10, 15});
    game.Race().Dinghies[1]->X = 40;
    game.Race().Dinghies[1]->Y = 740;
    game.Session.SetHelm(TPlayer::Green, skill);
    const TCourse course = game.Race().Course();
    // Counted as the referee would: thirds of a turn round the mark, then down through the line.
    int32_t winding = 0;
    int32_t laps = 0;
    TDinghyView last = ViewOf(*game.Race().Dinghies[0], game.Race());
    for (int t = 0; t < 6000 && laps < 2; ++t) {
        ASSERT_TRUE(game.Tick());
        const TDinghyView now = ViewOf(*game.Race().Dinghies[0], game.Race());
        ASSERT_FALSE(now.Crashed) << "tick " << t << ", wind " << wind << ", skill " << skill;
        if (winding < 3) {
            const TMarkSteps steps = MarkSteps(last.Middle(), now.Middle(), course.Mark);
            for (int32_t i = 0; i < steps.Count && winding < 3; ++i)
                winding += steps.Steps[static_cast<size_t>(i)];
            ASSERT_GE(winding, 0) << "rounded the wrong way at tick " << t << ", wind " << wind << ", skill " << skill;
        } else if (CrossedDownwards(last.Bow, now.Bow, course)) {
            ++laps;
            winding = 0;
        }
        last = now;
    }
    EXPECT_EQ(laps, 2) << "wind " << wind << ", skill " << skill;
}

TEST(HelmRace, SailsLapsInFreeSailing)
{
    for (const int32_t wind : {330, 45, 135, 210})
        for (const int32_t skill : {1, 3, 5})
            SailTwoFreeLaps(wind, skill);
}

} // namespace
