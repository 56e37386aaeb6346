#pragma once
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A golden script and its seed (tests/simulation/golden): "race" (free sailing) or "regatta", each read once.
const std::vector<TReplayLine>& GoldenScript(const std::string& name);
uint32_t GoldenSeed(const std::string& name);

// The golden race played one processed tick at a time, from its start again once it is over: both players
// steer, dinghies crash into buoys and each other, the race is restarted, paused and its wind set anew. Or the
// golden regatta: a start, penalties, turns, roundings and a finish.
class TGoldenRace {
public:
    explicit TGoldenRace(const std::string& name = "race");

    // Plays the script up to and including the next processed tick. Starting the race again is not timed.
    void Tick(benchmark::State& state);
    THeadlessGame& Game() { return *FGame; }

private:
    void Start();

    std::string FName;
    const std::vector<TReplayLine>& FScript;
    std::unique_ptr<THeadlessGame> FGame;
    std::unique_ptr<TReplayPlayer> FPlayer;
    size_t FLine = 0;
    long FTicksLeft = 0;
};
