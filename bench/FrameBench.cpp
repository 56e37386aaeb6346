// One frame of the race against the cheapest thing that touches every pixel of it: a row-by-row memcpy.
#include "bench/PeerTable.h"
#include "bench/cases/SpriteCases.h"
#include "drawing/ImageList.h"
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void BM_memcpy(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t{kFrameWidth} * kFrameHeight, 0x204060);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state) {
        for (int32_t y = 0; y < kFrameHeight; ++y)
            std::memcpy(&to[size_t{kFrameWidth} * y], &from[size_t{kFrameWidth} * y], kFrameWidth * sizeof(uint32_t));
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

// One processed tick: background, wind, steering, moving, drawing, presenting to a window without a screen,
// contact tests. Both dinghies turn circles so the race never ends in a crash.
void BM_tick(benchmark::State& state)
{
    THeadlessGame game;
    game.SetTillers(0, 2);
    game.Tick();
    for (auto _ : state) {
        game.Race().DXTimer1Timer(1);
        if (game.Race().Dinghies[0]->Crashed || game.Race().Dinghies[1]->Crashed)
            game.Race().SpeedButtonStartClick();
    }
}
BENCHMARK(BM_tick);

const bool kPeers = [] {
    RegisterPeer("BM_background", "BM_memcpy");
    RegisterPeer("BM_tick", "BM_memcpy");
    return true;
}();

} // namespace
