#pragma once
#include "network/MemoryLine.h"
#include "network/NetRace.h"
#include "platform/ManualClock.h"
#include "simulation/RaceDigest.h"
#include "simulation/headless/HeadlessGame.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// What a test compares after a tick: the race state every tick, the frame every tenth, as an online race
// gives them for its settled ticks. Hashing a frame costs more than drawing it.
inline std::pair<uint64_t, uint64_t> TickDigests(THeadlessGame& game)
{
    const bool frame = game.Race().ProcessedTicks() % 10 == 0;
    return {RaceStateDigest(game.Race()), frame ? FrameDigest(game.BackBuffer()) : 0};
}

// One machine of an online race in the test process: a headless game, its network race on the game's own
// clock, and what it heard.
struct TNetSide : INetRaceListener {
    // now: the line's clock at this moment; the game's clock keeps the same pace from here on.
    TNetSide(uint32_t now, std::unique_ptr<INetLink> link, bool host, const std::string& version = "1.0",
             const std::string& record = {}, const std::string& code = "K7P-2QX", bool open = false, bool watch = false)
        : Game(false, host ? 1000 : 2000), Offset(Game.Clock.Milliseconds() - now)
    {
        TNetRace::TOptions options;
        options.Version = version;
        options.TimeOfDay = 34867345;
        options.RecordPath = record;
        options.Code = code;
        options.Open = open;
        options.Watch = watch;
        Net.emplace(Game.Session, Game.Application, Game.Clock, std::move(link), host, options, *this);
        Net->OnTick = [this](const TDigest& d) { Digests.emplace_back(d.State, d.Frame); };
    }

    // Runs idle passes, each after servicing the link, until the game's clock is past now. The game's
    // window moves its clock on at the vertical blank of a processed tick, so after one the machine waits
    // here until the line's time has caught up; every pass sees its clock agree with the line's.
    void RunTo(uint32_t now)
    {
        while (static_cast<int32_t>(Game.Clock.Milliseconds() - Offset - now) <= 0) {
            Net->Service();
            Game.Idle();
            // As the window does after every frame: what the race tells is heard.
            for (TRaceEvent e; Game.Session.Race.Events.Take(e);) {
                Events.push_back({e.Kind, e.Dinghy, e.Value, e.Tick});
                if (Net->Linked() && e.Tick > Net->Settled())
                    ++EventsBeforeSettled;
            }
        }
    }
    int64_t Ticks() { return Game.Race().ProcessedTicks(); }
    // The ticks run with both players' records: what both sides agree on.
    int64_t Settled() const { return Net->Settled(); }

    void NetStatusChanged(TNetStatus status) override { Statuses.push_back(status); }
    void NetPausedChanged(bool paused) override { Paused = paused; }
    void NetRaceEnded(const TNetEnd& end) override { Ended = end; }
    void NetWrongCodeRefused() override { ++WrongCodesTold; }

    THeadlessGame Game;
    // The game's clock less the line's.
    uint32_t Offset;
    std::optional<TNetRace> Net;
    std::vector<std::pair<uint64_t, uint64_t>> Digests;
    std::vector<TNetStatus> Statuses;
    bool Paused = false;
    std::optional<TNetEnd> Ended;
    int WrongCodesTold = 0;
    // The race's events as taken: kind, dinghy, value and tick; and how many came before their tick settled.
    std::vector<std::tuple<int, int, int32_t, int64_t>> Events;
    int EventsBeforeSettled = 0;
};

// A memory line and the time of everything on it, moved on one millisecond at a time.
struct TVirtualLine {
    explicit TVirtualLine(TMemoryLine::TFaults faults = {}, uint32_t seed = 1) : Line(Clock, faults, seed) {}

    uint32_t Now() { return Clock.Milliseconds(); }
    // One millisecond: each machine runs up to now, in the order given, then time moves on.
    void Step(const std::vector<TNetSide*>& sides)
    {
        for (TNetSide* side : sides)
            side->RunTo(Now());
        Clock.Advance(1);
    }
    // Steps until done() or the milliseconds are up; false on time out.
    bool RunUntil(const std::vector<TNetSide*>& sides, const std::function<bool()>& done, uint32_t milliseconds)
    {
        for (uint32_t t = 0; t < milliseconds; ++t) {
            if (done())
                return true;
            Step(sides);
        }
        return done();
    }
    void Run(const std::vector<TNetSide*>& sides, uint32_t milliseconds)
    {
        RunUntil(sides, [] { return false; }, milliseconds);
    }

    TManualClock Clock;
    TMemoryLine Line;
};
