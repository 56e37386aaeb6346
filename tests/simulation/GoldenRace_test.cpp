// The golden race: a long scripted race recorded as digests of its state and frame after every tick. Any
// change that moves one pixel or one value of the race shows here, with the tick where it first happened.
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include "GoldenFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class GoldenRace : public testing::TestWithParam<const char*> {};

TEST_P(GoldenRace, EveryTickAsRecorded)
{
    const std::string variant = GetParam();
    const std::vector<std::string> recorded = ReadGoldenLines("race-" + variant + ".digests");
    const std::vector<std::string> script = ReadGoldenLines("race.script");
    ASSERT_GE(recorded.size(), 20000u);

    // The random generator is the process's: the race was recorded from a fresh process's seed.
    RandSeed = 0;
    THeadlessGame game(variant == "debug", GoldenSeed());
    size_t tick = 0;
    bool same = true;
    int crashes = 0;
    bool wasCrashed[2] = {};
    TReplayPlayer player(game, [&] {
        if (!same)
            return;
        const std::string line = DigestLine(static_cast<long>(tick) + 1, game);
        if (tick >= recorded.size() || recorded[tick] != line) {
            same = false;
            ADD_FAILURE() << "the race left its recording at tick " << tick + 1 << ": recorded '"
                          << (tick < recorded.size() ? recorded[tick] : "") << "', played '" << line << "'";
        }
        for (int d = 0; d < 2; ++d) {
            const bool crashed = game.Race().Dinghies[d]->Crashed;
            crashes += crashed && !wasCrashed[d];
            wasCrashed[d] = crashed;
        }
        ++tick;
    });
    for (const std::string& text : script) {
        ASSERT_TRUE(player.Play(ParseReplayLine(text))) << text;
        if (!same)
            break;
    }
    EXPECT_EQ(tick, recorded.size());
    // The recording is of a real race: buoys and the other dinghy were hit.
    EXPECT_GE(crashes, 5);
}

INSTANTIATE_TEST_SUITE_P(Variants, GoldenRace, testing::Values("plain", "debug"));

} // namespace
