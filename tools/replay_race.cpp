// Plays a scripted race headless and prints its state, so a race can be replayed and compared exactly.
//
// Input, one line per stretch: "<ticks> <green tiller> <red tiller>" (tillers 0 port, 1 amidships, 2 starboard).
// Lines starting with '#' are comments; "restart" restarts the race. After each stretch one line of state.
// Options: --time-of-day MS (seeds the wind), --wind-speed KNOTS, --variation DEGREES.
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

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

} // namespace

int main(int argc, char** argv)
{
    uint32_t timeOfDay = 0;
    int windSpeed = -1;
    int variation = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (option == "--time-of-day")
            timeOfDay = static_cast<uint32_t>(value);
        else if (option == "--wind-speed")
            windSpeed = value;
        else if (option == "--variation")
            variation = value;
        else {
            std::cerr << "unknown option " << option << "\n";
            return 2;
        }
    }

    THeadlessGame game(false, timeOfDay);
    if (windSpeed > 0)
        game.Race().WindSpeed = windSpeed;
    if (variation >= 0)
        game.Race().WindVariation = variation;

    long tick = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line == "restart") {
            game.Race().SpeedButtonStartClick();
            continue;
        }
        std::istringstream in(line);
        long ticks = 0;
        int green = 1;
        int red = 1;
        if (!(in >> ticks >> green >> red) || ticks < 0) {
            std::cerr << "bad line: " << line << "\n";
            return 2;
        }
        game.SetTillers(green, red);
        for (long t = 0; t < ticks; ++t, ++tick)
            if (!game.Tick()) {
                std::cerr << "the frame timer stopped\n";
                return 1;
            }
        PrintState(tick, game);
    }
    return 0;
}
