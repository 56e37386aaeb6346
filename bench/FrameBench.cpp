// One frame of the race against the cheapest thing that touches every pixel of it: a row-by-row memcpy.
#include "bench/PeerTable.h"
#include "bench/cases/SpriteCases.h"
#include "drawing/ImageList.h"
#include "bench/GoldenRace.h"
#include "simulation/RaceSnapshot.h"
#include "simulation/headless/HeadlessGame.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

void BM_memcpy(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t{FrameWidth} * FrameHeight, 0x204060);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state) {
        for (int32_t y = 0; y < FrameHeight; ++y)
            std::memcpy(&to[size_t{FrameWidth} * y], &from[size_t{FrameWidth} * y], FrameWidth * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_memcpy);

// The background picture drawn over the whole back buffer in full, as a tick would without redrawing only
// what the sprites covered (BM_tick does that).
void BM_background(benchmark::State& state)
{
    THeadlessGame game;
    game.Tick();
    game.BackBuffer().SetIncrementalCopies(false);
    TPictureCollectionItem& water = game.Race().Components.DXImageList1.Items().Items(0);
    for (auto _ : state) {
        water.DrawPattern(game.BackBuffer(), 0, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_background);

// One processed tick of the golden race: the timer's idle pass, background, wind, steering, moving, drawing,
// presenting to a window without a screen, contact tests.
void BM_tick(benchmark::State& state)
{
    TGoldenRace race;
    for (auto _ : state)
        race.Tick(state);
}
BENCHMARK(BM_tick);

// One processed tick of the golden regatta: the same, with the referee watching. Its dinghies sail more and
// faster than the golden race's, so its frames change more; what the referee adds shows in a profile.
void BM_tick_regatta(benchmark::State& state)
{
    TGoldenRace race("regatta");
    for (auto _ : state)
        race.Tick(state);
}
BENCHMARK(BM_tick_regatta);

// One rollback of an online race whose guess of the other player's tiller was wrong 8 ticks back: the race put
// back from the snapshot of then and the 8 ticks run again unseen, each with its snapshot taken first. In the
// golden regatta after the start, both dinghies sailing and the referee watching.
void BM_rollback_8(benchmark::State& state)
{
    TGoldenRace race("regatta");
    for (int t = 0; t < 1500; ++t)
        race.Tick(state);
    TRaceSession& session = race.Game().Session;
    std::array<TRaceSnapshot, 8> snapshots;
    snapshots[0].Take(session.Race);
    const int64_t back = snapshots[0].Tick();
    for (auto _ : state) {
        snapshots[0].Restore(session.Race);
        for (TRaceSnapshot& snapshot : snapshots) {
            snapshot.Take(session.Race);
            session.RunTickUnseen();
        }
    }
    if (session.Race.ProcessedTicks() != back + 8 || !session.Race.Regatta)
        state.SkipWithError("the rollback did not run the regatta's 8 ticks again");
}
BENCHMARK(BM_rollback_8);

// The same with the caches emptied before each tick, as when other programs ran while the game waited for its
// next frame: more than the last-level cache is read through first.
void BM_tick_cold(benchmark::State& state)
{
    TGoldenRace race;
    std::vector<uint64_t> sweep(size_t{64} << 20 >> 3, 1);
    uint64_t sum = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < sweep.size(); i += 8)
            sum += sweep[i]++;
        benchmark::DoNotOptimize(sum);
        state.ResumeTiming();
        race.Tick(state);
    }
}
BENCHMARK(BM_tick_cold)->Iterations(400);

const bool kPeers = [] {
    RegisterPeer("BM_background", "BM_memcpy");
    RegisterPeer("BM_tick", "BM_memcpy");
    RegisterPeer("BM_tick_regatta", "BM_tick");
    RegisterPeer("BM_rollback_8", "BM_tick_regatta");
    RegisterPeer("BM_tick_cold", "BM_memcpy");
    return true;
}();

} // namespace
