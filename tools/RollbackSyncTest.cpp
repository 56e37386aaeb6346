#include "tools/RollbackSyncTest.h"

#include "simulation/Quibo.h"
#include "simulation/RaceDigest.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include <algorithm>

TRollbackSyncTest::TRollbackSyncTest(THeadlessGame& game, uint64_t seed)
    : FGame(game), FRandom(seed), FFirstTick(game.Race().ProcessedTicks() + 1)
{
    FGame.Race().TickGate = this;
}

TRollbackSyncTest::~TRollbackSyncTest()
{
    if (FGame.Race().TickGate == this)
        FGame.Race().TickGate = nullptr;
}

void TRollbackSyncTest::Playing(const TReplayLine& line)
{
    const bool command = IsRaceCommand(line);
    if (line.Kind == TReplayLine::RaceClock || (command && FPendingCount == FPending.size())) {
        // The next tick's snapshot holds all that came before: the commands kept so far are never given again.
        FFirstTick = FGame.Race().ProcessedTicks() + 1;
        FPendingCount = 0;
    }
    if (command)
        FPending[FPendingCount++] = line;
}

bool TRollbackSyncTest::BeforeTick(int64_t tick)
{
    const TRace& race = FGame.Session.Race;
    TTickRecord& r = Record(tick);
    r.Before.Take(race);
    std::copy_n(FPending.begin(), FPendingCount, r.Commands.begin());
    r.CommandCount = FPendingCount;
    FPendingCount = 0;
    r.Green = static_cast<TTiller>(race.Dinghies[0]->Tiller);
    r.Red = static_cast<TTiller>(race.Dinghies[1]->Tiller);
    r.Milliseconds = FGame.Clock.Milliseconds();
    r.MillisecondsOfDay = FGame.Clock.MillisecondsOfDay();
    return true;
}

void TRollbackSyncTest::AfterTick(int64_t last)
{
    TRace& race = FGame.Session.Race;
    TTickRecord& lastRecord = Record(last);
    FHeldCount = 0;
    lastRecord.Events = DrainEvents(last, FHeld, FHeldCount);
    lastRecord.State = RaceStateDigest(race);
    const uint64_t frame = FrameDigest(FGame.BackBuffer());

    const int64_t from = last - std::min(DrawRollback(), last - FFirstTick + 1) + 1;
    const uint32_t milliseconds = FGame.Clock.Milliseconds(), ofDay = FGame.Clock.MillisecondsOfDay();
    Record(from).Before.Restore(race);
    for (int64_t tick = from; tick <= last; ++tick) {
        const TTickRecord& r = Record(tick);
        // The first tick's commands and tillers are in its snapshot already.
        if (tick > from) {
            for (size_t c = 0; c < r.CommandCount; ++c)
                GiveRaceCommand(FGame, r.Commands[c]);
            FGame.SetTillers(r.Green, r.Red);
        }
        // The wind reseeds from the clock: it reads what it read the first time.
        FGame.Clock.SetMilliseconds(r.Milliseconds);
        FGame.Clock.SetMillisecondsOfDay(r.MillisecondsOfDay);
        FGame.Session.RunTickUnseen();
        FToldAgainCount = 0;
        const uint64_t events = DrainEvents(tick, FToldAgain, FToldAgainCount);
        Check(RaceStateDigest(race) == r.State && events == r.Events, tick, last);
    }
    Check(FrameDigest(FGame.BackBuffer()) == frame, last, last);
    FGame.Clock.SetMilliseconds(milliseconds);
    FGame.Clock.SetMillisecondsOfDay(ofDay);

    // The log as it was, with this tick's events as told again; the earlier ticks' came out the same.
    for (size_t e = 0; e < FHeldCount; ++e)
        if (FHeld[e].Tick < last)
            race.Events.Add(FHeld[e]);
    for (size_t e = 0; e < FToldAgainCount; ++e)
        race.Events.Add(FToldAgain[e]);
    ++FTicksChecked;
    FTicksRunAgain += last - from + 1;
}

int64_t TRollbackSyncTest::DrawRollback()
{
    // SplitMix64: small, and the same sequence on every platform.
    uint64_t z = FRandom += 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return 1 + static_cast<int64_t>(z % MaxRollback);
}

uint64_t TRollbackSyncTest::DrainEvents(int64_t tick, std::array<TRaceEvent, TRaceEventLog::Capacity>& into,
                                        size_t& count)
{
    uint64_t digest = 0xCBF29CE484222325u;
    const auto add = [&digest](int64_t value) { digest = (digest ^ static_cast<uint64_t>(value)) * 0x100000001B3u; };
    for (TRaceEvent e; count < into.size() && FGame.Race().Events.Take(e);) {
        into[count++] = e;
        if (e.Tick != tick)
            continue;
        for (const int64_t field : {int64_t{e.Kind}, int64_t{e.Dinghy}, static_cast<int64_t>(e.Rule),
                                    int64_t{e.Value}, int64_t{e.Ticks}})
            add(field);
    }
    return digest;
}

void TRollbackSyncTest::Check(bool same, int64_t tick, int64_t from)
{
    if (same || FFirstMismatch != 0)
        return;
    FFirstMismatch = tick;
    FMismatchFrom = from;
}
