#include "bench/GoldenRace.h"

#include <fstream>
#include <map>
#include <string>

const std::vector<TReplayLine>& GoldenScript(const std::string& name)
{
    static std::map<std::string, std::vector<TReplayLine>> scripts;
    auto [at, added] = scripts.try_emplace(name);
    if (added) {
        std::ifstream in(QUIBO_GOLDEN_DIR "/" + name + ".script");
        for (std::string text; std::getline(in, text);)
            if (const TReplayLine line = ParseReplayLine(text); line.Kind != TReplayLine::Skip)
                at->second.push_back(line);
    }
    return at->second;
}

uint32_t GoldenSeed(const std::string& name)
{
    std::ifstream in(QUIBO_GOLDEN_DIR "/" + (name == "race" ? std::string("seed") : name + ".seed"));
    uint32_t read = 0;
    in >> read;
    return read;
}

TGoldenRace::TGoldenRace(const std::string& name) : FName(name), FScript(GoldenScript(name))
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
    FGame = std::make_unique<THeadlessGame>(false, GoldenSeed(FName));
    FPlayer = std::make_unique<TReplayPlayer>(*FGame, [] {});
    FLine = 0;
    FTicksLeft = 0;
}
