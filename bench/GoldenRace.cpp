#include "bench/GoldenRace.h"

#include <fstream>
#include <string>

const std::vector<TReplayLine>& GoldenScript()
{
    static const std::vector<TReplayLine> lines = [] {
        std::ifstream in(QUIBO_GOLDEN_DIR "/race.script");
        std::vector<TReplayLine> read;
        for (std::string text; std::getline(in, text);)
            if (const TReplayLine line = ParseReplayLine(text); line.Kind != TReplayLine::Skip)
                read.push_back(line);
        return read;
    }();
    return lines;
}

uint32_t GoldenSeed()
{
    static const uint32_t seed = [] {
        std::ifstream in(QUIBO_GOLDEN_DIR "/seed");
        uint32_t read = 0;
        in >> read;
        return read;
    }();
    return seed;
}

TGoldenRace::TGoldenRace() : FScript(GoldenScript())
{
    Start();
}

void TGoldenRace::Tick(benchmark::State& state)
{
    while (FTicksLeft == 0) {
        if (FLine == FScript.size()) {
            state.PauseTiming();
            Start();
            state.ResumeTiming();
        }
        const TReplayLine& line = FScript[FLine++];
        if (line.Kind == TReplayLine::Stretch) {
            FGame->SetTillers(line.Green, line.Red);
            FTicksLeft = line.Ticks;
        } else {
            FPlayer->Play(line);
        }
    }
    --FTicksLeft;
    if (!FGame->Tick())
        state.SkipWithError("the golden race stopped ticking");
}

void TGoldenRace::Start()
{
    FPlayer.reset();
    FGame = std::make_unique<THeadlessGame>(false, GoldenSeed());
    FPlayer = std::make_unique<TReplayPlayer>(*FGame, [] {});
    FLine = 0;
    FTicksLeft = 0;
}
