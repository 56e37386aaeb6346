// The rollback sync test over whole races: every tick rolled back and run again must change nothing the race
// shows, and a tick that a rollback cannot reproduce must be named.
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"
#include "tools/RollbackSyncTest.h"

#include "GoldenFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TPlayed {
    std::vector<std::string> Digests;
    int64_t Checked = 0, FirstMismatch = 0;
};

// The script played from a fresh process's generator, with a sync test when seeded; the digest line of every tick.
TPlayed Play(const std::vector<std::string>& script, uint32_t timeOfDay, std::optional<uint32_t> syncSeed)
{
    RandSeed = 0;
    THeadlessGame game(false, timeOfDay);
    std::optional<TRollbackSyncTest> sync;
    if (syncSeed)
        sync.emplace(game, *syncSeed);
    TPlayed played;
    TReplayPlayer player(
        game, [&] { played.Digests.push_back(DigestLine(static_cast<long>(played.Digests.size()) + 1, game)); },
        sync ? &*sync : nullptr);
    for (const std::string& text : script)
        EXPECT_TRUE(player.Play(ParseReplayLine(text))) << text;
    if (sync) {
        played.Checked = sync->TicksChecked();
        played.FirstMismatch = sync->FirstMismatch();
    }
    return played;
}

struct TSyncCase {
    const char* Name;
    std::vector<std::string> Script;
    uint32_t TimeOfDay;
    // The recorded digests (replay_race's lines without the events), or none: played without rollbacks.
    const char* Recording;
};

#if defined(__SANITIZE_ADDRESS__)
// Under the sanitizers a tick run again costs ten times as much: the races' first few thousand ticks (the
// start, the first rounding, the penalties) are enough there, and the optimised build plays them whole.
constexpr long MostTicks = 4000;
#else
constexpr long MostTicks = 1'000'000;
#endif

// The script's lines up to its first stretches of at least so many ticks.
std::vector<std::string> FirstTicks(const std::vector<std::string>& script, long ticks)
{
    std::vector<std::string> lines;
    for (long played = 0; const std::string& line : script) {
        if (played >= ticks)
            break;
        lines.push_back(line);
        const TReplayLine parsed = ParseReplayLine(line);
        if (parsed.Kind == TReplayLine::Stretch)
            played += parsed.Ticks;
    }
    return lines;
}

void PrintTo(const TSyncCase& c, std::ostream* out)
{
    *out << c.Name;
}

class RollbackSync : public testing::TestWithParam<TSyncCase> {};

TEST_P(RollbackSync, EveryTickRunAgainChangesNothing)
{
    const TSyncCase& c = GetParam();
    const std::vector<std::string> script = FirstTicks(c.Script, MostTicks);
    std::vector<std::string> expected;
    if (c.Recording == nullptr)
        expected = Play(script, c.TimeOfDay, std::nullopt).Digests;
    else
        for (const std::string& line : ReadGoldenLines(c.Recording))
            if (line.find(" regatta ") == std::string::npos)
                expected.push_back(line);
    ASSERT_GE(expected.size(), 1000u);

    const TPlayed played = Play(script, c.TimeOfDay, 20261210);
    EXPECT_EQ(played.FirstMismatch, 0);
    EXPECT_EQ(played.Checked, static_cast<int64_t>(played.Digests.size()));
    if (script.size() == c.Script.size()) {
        ASSERT_EQ(played.Digests.size(), expected.size());
    } else {
        ASSERT_LE(played.Digests.size(), expected.size());
    }
    for (size_t t = 0; t < played.Digests.size(); ++t)
        ASSERT_EQ(played.Digests[t], expected[t]) << "tick " << t + 1;
}

uint32_t Seed(const char* file)
{
    return static_cast<uint32_t>(std::stoul(ReadGoldenLines(file).at(0)));
}

INSTANTIATE_TEST_SUITE_P(
    Races, RollbackSync,
    testing::Values(TSyncCase{"race", ReadGoldenLines("race.script"), Seed("seed"), "race-plain.digests"},
                    TSyncCase{"regatta", ReadGoldenLines("regatta.script"), Seed("regatta.seed"),
                              "regatta-plain.digests"},
                    // Computers steering, taking over and handing back, a regatta begun and left, the wind set,
                    // and the race clock reseeding the generator between ticks.
                    TSyncCase{"computers",
                              {"helm green computer 5", "helm red computer 2", "wind 20 20 20", "regatta 1 penalties",
                               "700 1 1", "helm red player", "race-clock 43200000", "150 0 2", "helm red computer 4",
                               "restart", "300 1 1", "free", "wind 300 45 30", "200 2 0"},
                              36000000,
                              nullptr}),
    [](const testing::TestParamInfo<TSyncCase>& p) { return std::string(p.param.Name); });

// The sync test with a change between a tick's snapshot and its first run, which no restore puts back: as if the
// snapshot missed it.
class TMissedChange : public TRollbackSyncTest {
public:
    TMissedChange(THeadlessGame& game, int64_t tick, void (*change)(TRace&))
        : TRollbackSyncTest(game, 99), FRace(game.Race()), FTick(tick), FChange(change)
    {
    }
    bool BeforeTick(int64_t tick) override
    {
        TRollbackSyncTest::BeforeTick(tick);
        if (tick == FTick)
            FChange(FRace);
        return true;
    }

private:
    TRace& FRace;
    int64_t FTick;
    void (*FChange)(TRace&);
};

TEST(RollbackSync, ATickItCannotReproduceIsNamed)
{
    const struct {
        const char* what;
        int64_t tick;
        void (*change)(TRace&);
    } cases[] = {
        {"a dinghy's speed", 1, [](TRace& race) { race.Dinghies[0]->Speed += 0.5; }},
        {"the wind's direction", 137, [](TRace& race) { race.WindDirection = race.WindDirection % 360 + 10; }},
        {"a buoy's place on the last tick", 400, [](TRace& race) { race.Buoys[2]->Y -= 1; }},
    };
    for (const auto& c : cases) {
        THeadlessGame game(false, 36000000);
        TMissedChange sync(game, c.tick, c.change);
        for (int t = 0; t < 400; ++t)
            game.Tick();
        EXPECT_EQ(sync.FirstMismatch(), c.tick) << c.what;
        // Seen on the rollback right after the tick itself, which always runs it again.
        EXPECT_EQ(sync.MismatchRolledBackFrom(), c.tick) << c.what;
    }
}

} // namespace
