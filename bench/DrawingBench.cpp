// Rotated and plain draws of the sizes one frame of the race makes, onto a back buffer of the window's size.
#include "drawing/Device.h"
#include "drawing/Surface.h"
#include "simulation/FrameSize.h"

#include <benchmark/benchmark.h>

namespace {

constexpr uint32_t kKey = 0xFF00FF;

struct TScene {
    TDirectDraw Device;
    TSurfaceHandle Buffer = Device.CreateSurface();
    TSurfaceHandle Pattern = Device.CreateSurface();

    // A keyed pattern: a filled ellipse on the key colour, like a hull.
    TScene(int32_t w, int32_t h)
    {
        Buffer->Resize(FrameWidth, FrameHeight);
        Buffer->FillSolid(0x204060);
        Pattern->Resize(w, h);
        Pattern->SetColorKey(kKey);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const double dx = (x + 0.5) / w - 0.5;
                const double dy = (y + 0.5) / h - 0.5;
                Pattern->WritePixel(x, y, dx * dx + dy * dy < 0.25 ? 0x008080u + static_cast<uint32_t>(y) : kKey);
            }
        }
    }
};

void RotatedDraw(benchmark::State& state, int32_t w, int32_t h, double pivotY)
{
    TScene scene(w, h);
    const auto angle = static_cast<int32_t>(state.range(0));
    const TRect rect{0, 0, w, h};
    for (auto _ : state) {
        scene.Buffer->DrawSurfaceRotated(500, 400, w, h, rect, scene.Pattern.Get(), 0.5, pivotY, true, angle);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Rotated30x57(benchmark::State& state)
{
    RotatedDraw(state, 30, 57, 1.0);
}
BENCHMARK(BM_Rotated30x57)->Arg(0)->Arg(21)->Arg(32)->Arg(64)->Arg(100)->Arg(128)->Arg(200);

void BM_Rotated15x15(benchmark::State& state)
{
    RotatedDraw(state, 15, 15, 0.5);
}
BENCHMARK(BM_Rotated15x15)->Arg(0)->Arg(32)->Arg(64)->Arg(100);

void BM_BackgroundCopy(benchmark::State& state)
{
    TScene scene(FrameWidth, FrameHeight);
    const TRect rect = scene.Pattern->ClientRect();
    for (auto _ : state) {
        scene.Buffer->DrawSurface(0, 0, rect, scene.Pattern.Get(), false);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{FrameWidth} * FrameHeight * 4);
}
BENCHMARK(BM_BackgroundCopy);

} // namespace
