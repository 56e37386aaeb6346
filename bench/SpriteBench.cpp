// The game's rotated draws, ours beside Qt's raster engine doing the same job.
#include "bench/PeerTable.h"
#include "bench/cases/SpriteCases.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct TTurn {
    const char* Name;
    int32_t Angle;
};
// 37 degrees is 26 of 256 units.
constexpr TTurn kTurns[] = {{"0", 0}, {"90", 64}, {"37", 26}};

void OursDraw(benchmark::State& state, const TSpriteDraw& draw)
{
    TOurSprites sprites;
    for (auto _ : state) {
        sprites.Draw(draw);
        benchmark::ClobberMemory();
    }
}

void QPainterDraw(benchmark::State& state, const TSpriteDraw& draw)
{
    TQtSprites sprites;
    for (auto _ : state) {
        sprites.Draw(draw);
        benchmark::ClobberMemory();
    }
}

void OursFrame(benchmark::State& state)
{
    TOurSprites sprites;
    const auto draws = FrameDraws();
    for (auto _ : state) {
        for (const TSpriteDraw& draw : draws)
            sprites.Draw(draw);
        benchmark::ClobberMemory();
    }
}

void QPainterFrame(benchmark::State& state)
{
    TQtSprites sprites;
    const auto draws = FrameDraws();
    for (auto _ : state) {
        for (const TSpriteDraw& draw : draws)
            sprites.Draw(draw);
        benchmark::ClobberMemory();
    }
}

// A dinghy that keeps turning: each draw at the next of 32 angles around 37 degrees, so that no draw finds the
// last one's shape prepared.
template <typename Sprites>
void Turning(benchmark::State& state)
{
    Sprites sprites;
    const TSpritePicture& hull = SpritePictures()[0];
    int32_t turn = 0;
    for (auto _ : state) {
        sprites.Draw({&hull, 500, 400, 10 + turn});
        turn = (turn + 1) % 32;
        benchmark::ClobberMemory();
    }
}

const bool kRegistered = [] {
    for (const TSpritePicture& picture : SpritePictures()) {
        for (const TTurn& turn : kTurns) {
            const TSpriteDraw draw{&picture, 500, 400, turn.Angle};
            const std::string row = std::string("BM_") + picture.Name + turn.Name;
            benchmark::RegisterBenchmark((row + "_Ours").c_str(), OursDraw, draw);
            benchmark::RegisterBenchmark((row + "_QPainter").c_str(), QPainterDraw, draw);
        }
    }
    benchmark::RegisterBenchmark("BM_HullTurning_Ours", Turning<TOurSprites>);
    benchmark::RegisterBenchmark("BM_HullTurning_QPainter", Turning<TQtSprites>);
    benchmark::RegisterBenchmark("BM_Frame8_Ours", OursFrame);
    benchmark::RegisterBenchmark("BM_Frame8_QPainter", QPainterFrame);
    return true;
}();

} // namespace
