// Plays a scripted race headless and prints its state, so a race can be replayed and compared exactly.
//
// Input, one line per step (see tools/ReplayOptions.h): "<ticks> <green tiller> <red tiller>" (tillers 0 port,
// 1 amidships, 2 starboard), "restart", "pause", "resume", "wait MS", "wind DIRECTION VARIATION SPEED",
// "inactive", "active", "regatta LAPS classic|penalties", "free", "helm green|red player|computer SKILL" (SKILL
// 1..5; the stretches' tillers for a dinghy the computer steers are not used); lines starting with '#' are
// comments. After
// each stretch one line of state, or with
// --digests after every tick "<tick> <race state> <frame> <pace>" in hexadecimal. While a regatta runs, each of
// its events is printed as it happens, before the tick's digests: "<tick> regatta <event> ...".
// Options: --time-of-day MS (seeds the wind, 0..86399999), --wind-speed KNOTS (1..360), --variation DEGREES
// (0..45), --debug (the collision outlines), --digests, --sync-test SEED (0..4294967295: after every tick the race
// is rolled back 1 to 8 ticks, drawn from SEED, and those run again unseen; the output is the same, a tick that
// comes out different is named on stderr with exit code 1, and the ticks checked are counted there at the end).
// A bad option, value or line is refused with a message and exit code 2.
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayOptions.h"
#include "tools/ReplayScript.h"
#include "tools/RollbackSyncTest.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void PrintState(long tick, THeadlessGame& game)
{
    const TRace& race = game.Race();
    std::printf("tick %ld wind %d target %d", tick, race.WindDirection, race.WindTarget);
    for (const char* name : {"green", "red"}) {
        const TQuibo& d = *race.Dinghies[name[0] == 'g' ? 0 : 1];
        std::printf(" | %s x %.3f y %.3f heading %d speed %.2f%s", name, d.X, d.Y, d.Heading, d.Speed,
                    d.Crashed ? " crashed" : "");
    }
    std::printf("\n");
}

// On stderr: the first tick that came out different when run again, and the ticks checked once done or then.
// False after a difference.
bool ReportSyncTest(const TRollbackSyncTest& sync, bool done)
{
    const bool same = sync.FirstMismatch() == 0;
    if (!same)
        std::cerr << "replay_race: sync test: tick " << sync.FirstMismatch()
                  << " came out different when run again after tick " << sync.MismatchRolledBackFrom() << "\n";
    if (done || !same)
        std::cerr << "replay_race: sync test: " << sync.TicksChecked() << " ticks checked, " << sync.TicksRunAgain()
                  << " run again\n";
    return same;
}

} // namespace

int main(int argc, char** argv)
{
    TReplayOptions options;
    try {
        options = ParseReplayOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "replay_race: " << e.what() << "\n";
        return 2;
    }

    THeadlessGame game(options.Debug, options.TimeOfDay);
    if (options.WindSpeed > 0)
        game.Race().WindSpeed = options.WindSpeed;
    if (options.Variation >= 0)
        game.Race().WindVariation = options.Variation;

    std::optional<TRollbackSyncTest> sync;
    if (options.SyncTest)
        sync.emplace(game, *options.SyncTest);
    long tick = 0;
    TReplayPlayer player(game, [&] {
        ++tick;
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            const std::string text = RegattaEventLine(tick, event);
            if (!text.empty())
                std::printf("%s\n", text.c_str());
        }
        if (options.Digests)
            std::printf("%s\n", DigestLine(tick, game).c_str());
    }, sync ? &*sync : nullptr);
    std::string text;
    while (std::getline(std::cin, text)) {
        TReplayLine line;
        try {
            line = ParseReplayLine(text);
        } catch (const std::invalid_argument& e) {
            std::cerr << "replay_race: " << e.what() << "\n";
            return 2;
        }
        if (!player.Play(line)) {
            std::cerr << "the frame timer stopped\n";
            return 1;
        }
        if (line.Kind == TReplayLine::Stretch && !options.Digests)
            PrintState(tick, game);
        if (sync && !ReportSyncTest(*sync, false))
            return 1;
    }
    return sync && !ReportSyncTest(*sync, true) ? 1 : 0;
}
