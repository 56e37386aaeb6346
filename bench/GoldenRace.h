#pragma once
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

// The golden race's script and seed (tests/simulation/golden), read once.
const std::vector<TReplayLine>& GoldenScript();
uint32_t GoldenSeed();

// The golden race played one processed tick at a time, from its start again once it is over: both players
// steer, dinghies crash into buoys and each other, the race is restarted, paused and its wind set anew.
class TGoldenRace {
public:
    TGoldenRace();

    // Plays the script up to and including the next processed tick. Starting the race again is not timed.
    void Tick(benchmark::State& state);

private:
    void Start();

    const std::vector<TReplayLine>& FScript;
    std::unique_ptr<THeadlessGame> FGame;
    std::unique_ptr<TReplayPlayer> FPlayer;
    size_t FLine = 0;
    long FTicksLeft = 0;
};
