#pragma once
#include "network/NetRace.h"
#include "simulation/RaceDigest.h"
#include "simulation/headless/HeadlessGame.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One machine of an online race in the test process: a headless game, its network race, and what it heard.
struct TNetSide : INetRaceListener {
    TNetSide(TEnetLink link, bool host, const std::string& version = "1.0", const std::string& record = {})
        : Game(false, host ? 1000 : 2000)
    {
        TNetRace::TOptions options;
        options.Version = version;
        options.TimeOfDay = 34867345;
        options.RecordPath = record;
        Net.emplace(Game.Session, Game.Application, std::move(link), host, options, *this);
        Net->OnTick = [this](int64_t) {
            Digests.emplace_back(RaceStateDigest(Game.Race()), FrameDigest(Game.BackBuffer()));
        };
    }

    // Services the link and runs one idle pass of the game.
    void Step()
    {
        Net->Service();
        Game.Idle();
    }
    int64_t Ticks() { return Game.Race().ProcessedTicks(); }

    void NetStatusChanged(TNetStatus status) override { Statuses.push_back(status); }
    void NetPausedChanged(bool paused) override { Paused = paused; }
    void NetRaceEnded(const TNetEnd& end) override { Ended = end; }

    THeadlessGame Game;
    std::optional<TNetRace> Net;
    std::vector<std::pair<uint64_t, uint64_t>> Digests;
    std::vector<TNetStatus> Statuses;
    bool Paused = false;
    std::optional<TNetEnd> Ended;
};
