// What stands between starting the program and its first frame.
#include "assets/Assets.h"
#include "bench/PeerTable.h"
#include "drawing/ImageList.h"
#include "drawing/Jpeg.h"
#include "platform/HeadlessWindow.h"
#include "bench/GoldenRace.h"
#include "simulation/FrameSize.h"

#include <benchmark/benchmark.h>

namespace {

void BM_StartDecodeWater(benchmark::State& state)
{
    const auto bytes = AssetBytes("pictures/Water1.jpg");
    for (auto _ : state) {
        const TJPEGImage water(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        benchmark::DoNotOptimize(water.Pixels().Pixels.data());
    }
}
BENCHMARK(BM_StartDecodeWater)->Unit(benchmark::kMillisecond);

// The image list loaded and bound to an initialised drawing surface: every pattern surface built.
void BM_StartImageList(benchmark::State& state)
{
    for (auto _ : state) {
        THeadlessWindow window(FrameWidth, FrameHeight);
        TCustomDXDraw dxdraw(window);
        TDXImageList images;
        LoadMainImageList(images.Items());
        images.SetDXDraw(&dxdraw);
        dxdraw.Initialize();
        benchmark::DoNotOptimize(images.Items().Items(0).PatternSurfaces().data());
        images.SetDXDraw(nullptr);
    }
}
BENCHMARK(BM_StartImageList)->Unit(benchmark::kMillisecond);

// From nothing to the first processed tick of the golden race.
void BM_StartFirstFrame(benchmark::State& state)
{
    GoldenScript("race");
    for (auto _ : state) {
        TGoldenRace race;
        race.Tick(state);
    }
}
BENCHMARK(BM_StartFirstFrame)->Unit(benchmark::kMillisecond);

const bool kPeers = [] {
    RegisterPeer("BM_StartDecodeWater", "BM_memcpy");
    RegisterPeer("BM_StartImageList", "BM_memcpy");
    RegisterPeer("BM_StartFirstFrame", "BM_memcpy");
    return true;
}();

} // namespace
