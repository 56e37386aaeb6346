#pragma once
#include "simulation/RaceEventLog.h"
#include "simulation/RaceSnapshot.h"
#include "simulation/TickGate.h"
#include "simulation/Tiller.h"
#include "tools/ReplayOptions.h"

#include <array>
#include <cstddef>
#include <cstdint>

class THeadlessGame;

// Proves that a rollback reproduces the race: after every processed tick the race is put back by 1 to 8 ticks
// (drawn from a seed with a generator of its own, so the race's generator is not disturbed) and those ticks are
// run again unseen with the inputs they first had: the tillers, the commands given before each, the clock's
// readings. Every tick run again must come to the state it came to first, and the last one to the same frame;
// the race goes on from the state run again. It is the race's tick gate while it lives, and is told the script's
// lines by the player (TReplayPlayer) before they are played.
class TRollbackSyncTest : public ITickGate {
public:
    static constexpr int64_t MaxRollback = 8;

    TRollbackSyncTest(THeadlessGame& game, uint64_t seed);
    ~TRollbackSyncTest() override;
    TRollbackSyncTest(const TRollbackSyncTest&) = delete;
    TRollbackSyncTest& operator=(const TRollbackSyncTest&) = delete;

    // A line about to be played between ticks: the race's commands are given again when their tick runs again;
    // a race clock reseeds the race's generator outside any tick, so no rollback reaches back past it.
    void Playing(const TReplayLine& line);

    bool BeforeTick(int64_t tick) override;
    void AfterTick(int64_t tick) override;

    // Ticks after which the race was rolled back and checked, and the ticks run again in all.
    int64_t TicksChecked() const { return FTicksChecked; }
    int64_t TicksRunAgain() const { return FTicksRunAgain; }
    // The first tick that came out different when run again (0 while none has), and the tick after which that
    // rollback was made.
    int64_t FirstMismatch() const { return FFirstMismatch; }
    int64_t MismatchRolledBackFrom() const { return FMismatchFrom; }

private:
    // Commands given between two ticks that are kept; more end the ticks a rollback may reach.
    static constexpr size_t MaxCommands = 8;

    struct TTickRecord {
        TRaceSnapshot Before;
        std::array<TReplayLine, MaxCommands> Commands{};
        size_t CommandCount = 0;
        TTiller Green = TTiller::Amidships, Red = TTiller::Amidships;
        uint32_t Milliseconds = 0, MillisecondsOfDay = 0;
        // What the first run came to: the race state and the events it told.
        uint64_t State = 0, Events = 0;
    };

    TTickRecord& Record(int64_t tick) { return FTicks[static_cast<size_t>(tick % FTicks.size())]; }
    int64_t DrawRollback();
    // Takes every event out of the race's log; returns the digest of those of this tick.
    uint64_t DrainEvents(int64_t tick, std::array<TRaceEvent, TRaceEventLog::Capacity>& into, size_t& count);
    void Check(bool same, int64_t tick, int64_t from);

    THeadlessGame& FGame;
    uint64_t FRandom;
    std::array<TTickRecord, MaxRollback + 1> FTicks{};
    std::array<TReplayLine, MaxCommands> FPending{};
    size_t FPendingCount = 0;
    // The first tick whose snapshot a rollback may go back to.
    int64_t FFirstTick;
    // The log's events while a rollback runs, and those the last tick run again told.
    std::array<TRaceEvent, TRaceEventLog::Capacity> FHeld{}, FToldAgain{};
    size_t FHeldCount = 0, FToldAgainCount = 0;
    int64_t FTicksChecked = 0, FTicksRunAgain = 0, FFirstMismatch = 0, FMismatchFrom = 0;
};
