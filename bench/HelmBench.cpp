// What a computer helm adds to a tick: both helms deciding alone, on what they saw on every tick of a
// two-lap regatta two computers sailed (and on its countdown alone), against a whole tick of the golden race
// (BM_tick).
#include "bench/PeerTable.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/helm/HelmView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Every tick's view, with the regatta as it then stood (the views point into these).
struct TRecordedHelms {
    std::vector<TRegatta> Regattas;
    std::vector<THelmView> Views;
    uint32_t Seed = 0;
    TSinTable Sin{};
};

const TRecordedHelms& Recorded()
{
    static const TRecordedHelms recorded = [] {
        TRecordedHelms r;
        RandSeed = 31;
        r.Seed = RandSeed;
        THeadlessGame game(false, 11 * 3600 * 1000);
        game.Commands.ApplyWindSettings({20, 10, 15});
        game.Session.SetHelm(TPlayer::Green, 5);
        game.Session.SetHelm(TPlayer::Red, 3);
        game.Commands.StartRegatta({2, TRegattaRules::Penalties});
        for (int t = 0; t < 4000 && game.Race().Regatta->Phase() != TRegattaPhase::Over; ++t) {
            game.Tick();
            r.Regattas.push_back(*game.Race().Regatta);
            r.Views.push_back(HelmViewOf(game.Race()));
        }
        FillSinTable(r.Sin);
        for (size_t i = 0; i < r.Views.size(); ++i) {
            r.Views[i].Regatta = &r.Regattas[i];
            r.Views[i].Sin = &r.Sin;
        }
        return r;
    }();
    return recorded;
}

// Both helms deciding on the recorded ticks from first up to (not including) last, from the first again after
// the last, as they would sail them.
void Decide(benchmark::State& state, size_t first, size_t last)
{
    const TRecordedHelms& recorded = Recorded();
    last = std::min(last, recorded.Views.size());
    TComputerHelm green(5, TPlayer::Green, recorded.Seed);
    TComputerHelm red(3, TPlayer::Red, recorded.Seed);
    size_t next = first;
    for (auto _ : state) {
        if (next == last) {
            state.PauseTiming();
            green = TComputerHelm(5, TPlayer::Green, recorded.Seed);
            red = TComputerHelm(3, TPlayer::Red, recorded.Seed);
            next = first;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(green.Decide(recorded.Views[next]));
        benchmark::DoNotOptimize(red.Decide(recorded.Views[next]));
        ++next;
    }
}

void BM_helm_decide(benchmark::State& state)
{
    Decide(state, 0, SIZE_MAX);
}
BENCHMARK(BM_helm_decide);

// The countdown alone, where each look plays the run to the line ahead: the dearest ticks.
void BM_helm_decide_countdown(benchmark::State& state)
{
    Decide(state, 0, static_cast<size_t>(TRegatta::CountdownTicks));
}
BENCHMARK(BM_helm_decide_countdown);

const bool kPeers = [] {
    RegisterPeer("BM_helm_decide", "BM_tick");
    RegisterPeer("BM_helm_decide_countdown", "BM_tick");
    return true;
}();

} // namespace
