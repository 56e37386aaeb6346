// The golden regatta: a scripted two-lap regatta with penalty turns (a dinghy over the line at the start, a
// buoy touched, every contact rule broken, a wrong rounding undone, both finishing), recorded as its events
// and the digests of its state, frame and pacing after every tick.
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include "GoldenFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

TEST(GoldenRegatta, EveryTickAndEventAsRecorded)
{
    const std::vector<std::string> recorded = ReadGoldenLines("regatta-plain.digests");
    const std::vector<std::string> script = ReadGoldenLines("regatta.script");
    ASSERT_GE(recorded.size(), 3000u);

    RandSeed = 0;
    THeadlessGame game(false, static_cast<uint32_t>(std::stoul(ReadGoldenLines("regatta.seed").at(0))));
    size_t line = 0;
    long tick = 0;
    bool same = true;
    std::set<std::string> kinds;
    const auto expect = [&](const std::string& played) {
        if (!same)
            return;
        if (line >= recorded.size() || recorded[line] != played) {
            same = false;
            ADD_FAILURE() << "the regatta left its recording at line " << line + 1 << ": recorded '"
                          << (line < recorded.size() ? recorded[line] : "") << "', played '" << played << "'";
        }
        ++line;
    };
    TReplayPlayer player(game, [&] {
        ++tick;
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            const std::string text = RegattaEventLine(tick, event);
            if (text.empty())
                continue;
            expect(text);
            const size_t word = text.find(" regatta ") + 9;
            kinds.insert(text.substr(word, text.find(' ', word) - word) +
                         (event.Kind == TRaceEvent::Penalty ? " " + std::to_string(static_cast<int>(event.Rule)) : ""));
        }
        expect(DigestLine(tick, game));
    });
    for (const std::string& text : script) {
        ASSERT_TRUE(player.Play(ParseReplayLine(text))) << text;
        if (!same)
            break;
    }
    EXPECT_EQ(line, recorded.size());
    // The recording is of the regatta it claims to be.
    for (const char* kind : {"countdown", "start", "early", "started", "rounded", "lap", "penalty 10", "penalty 11",
                             "penalty 12", "penalty 13", "penalty 31", "cleared", "finished", "over"})
        EXPECT_TRUE(kinds.count(kind)) << kind;
}

} // namespace
