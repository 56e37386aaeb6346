// What the regatta adds to a tick: the referee alone, fed what it saw on every tick of the golden regatta,
// against a whole tick of the golden race (BM_tick).
#include "bench/GoldenRace.h"
#include "bench/PeerTable.h"
#include "simulation/regatta/DinghyView.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Every tick's view of the golden regatta, as the frame step gives it to the referee.
struct TRecordedRegatta {
    TRegattaSettings Settings;
    TCourse Course;
    std::vector<TRegattaTick> Ticks;
};

const TRecordedRegatta& Recorded()
{
    static const TRecordedRegatta recorded = [] {
        TRecordedRegatta r;
        THeadlessGame game(false, GoldenSeed("regatta"));
        TReplayPlayer player(game, [&] {
            const TRace& race = game.Race();
            if (!race.Regatta)
                return;
            r.Settings = race.Regatta->Settings();
            // The contacts are read back from the referee's own account of them.
            const TDinghyRegatta& green = race.Regatta->Dinghy(0);
            const TDinghyRegatta& red = race.Regatta->Dinghy(1);
            r.Ticks.push_back({{ViewOf(*race.Dinghies[0], race), ViewOf(*race.Dinghies[1], race)},
                               Upwind(race),
                               green.TouchingDinghy,
                               {green.TouchingBuoy, red.TouchingBuoy}});
        });
        for (const TReplayLine& line : GoldenScript("regatta"))
            player.Play(line);
        r.Course = game.Race().Course();
        return r;
    }();
    return recorded;
}

void BM_regatta_referee(benchmark::State& state)
{
    const TRecordedRegatta& recorded = Recorded();
    TRaceEventLog events;
    TRegatta regatta(recorded.Settings, recorded.Course);
    size_t next = 0;
    for (auto _ : state) {
        if (next == recorded.Ticks.size()) {
            state.PauseTiming();
            regatta = TRegatta(recorded.Settings, recorded.Course);
            next = 0;
            state.ResumeTiming();
        }
        regatta.Tick(recorded.Ticks[next], static_cast<int64_t>(next), events);
        ++next;
        benchmark::DoNotOptimize(regatta);
    }
}
BENCHMARK(BM_regatta_referee);

const bool kPeers = [] {
    RegisterPeer("BM_regatta_referee", "BM_tick");
    return true;
}();

} // namespace
