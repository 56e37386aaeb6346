// The ticks of an online race: which records a tick runs with, the guesses and their corrections, and what
// is done once a tick is settled.
#include "network/NetRace.h"

#include "platform/Clock.h"
#include "simulation/RaceDigest.h"
#include "simulation/Random.h"

namespace {

// A spectator more than this many ticks behind the host runs ticks unseen to catch up.
constexpr int64_t LiveMargin = 3;
// Ticks a spectator runs unseen in one service pass: a few milliseconds, so the window stays alive.
constexpr int CatchUpTicksPerPass = 240;
// A side this many ticks ahead of the other for a second lets one tick pass.
constexpr int32_t AheadToYield = 3;
constexpr int64_t YieldEvery = 60;
constexpr uint32_t FrameMilliseconds = 17;

bool SessionCommand(const TTickRecord& record)
{
    return record.Command != TTickRecord::None && record.Command != TTickRecord::Pause;
}

} // namespace

bool TNetRace::BeforeTick(int64_t tick)
{
    if (FState == TState::Alone)
        return true;
    if (FState == TState::Watching)
        return WatchingTick(tick);
    if (FState != TState::Racing)
        return Wait();
    return RacingTick(tick);
}

bool TNetRace::Wait()
{
    if (!FWaitingSince)
        FWaitingSince = FClock.Milliseconds();
    return false;
}

bool TNetRace::RacingTick(int64_t tick)
{
    Settle();
    // Settling may have found the race drifted apart, or a pause.
    if (FState != TState::Racing || !FSession.Running())
        return false;
    if (YieldToOther(tick))
        return false;
    FRecords->MakeFor(tick);
    // This player's command waits for the other's record, so that it takes effect on a settled tick.
    if (FRecords->Remote(tick) == nullptr &&
        (tick > FSettled + TGuessedTicks::Window || FRecords->Local(tick).Command != TTickRecord::None))
        return Wait();
    FWaitingSince.reset();
    if (FStatus == TNetStatus::WaitingForPeer)
        SetStatus(TNetStatus::None);
    StartTick(tick);
    SendInputs();
    FLink->Flush();
    return true;
}

bool TNetRace::WatchingTick(int64_t tick)
{
    if (tick > FWatchedThrough)
        return Wait();
    FWaitingSince.reset();
    RandSeed = FSeed;
    Apply(FWatched[static_cast<size_t>(tick - 1)]);
    return true;
}

void TNetRace::AfterTick(int64_t tick)
{
    if (FState == TState::Alone)
        return;
    FSeed = RandSeed;
    const TDigest digest = TickDigest(tick);
    if (FState == TState::Watching)
        Settled(tick, FWatched[static_cast<size_t>(tick - 1)], digest);
    else if (tick <= FRecords->ReceivedThrough())
        Settled(tick, Records(tick, *FRecords->Remote(tick)), digest);
    else
        FGuessed[tick].After = digest;
}

TNetRace::TRecordPair TNetRace::Records(int64_t tick, const TTickRecord& other) const
{
    const TTickRecord& local = FRecords->Local(tick);
    return FHost ? TRecordPair{local, other} : TRecordPair{other, local};
}

void TNetRace::StartTick(int64_t tick)
{
    RandSeed = FSeed;
    const TTickRecord* other = FRecords->Remote(tick);
    if (other == nullptr) {
        TGuessedTicks::TTick& guessed = FGuessed[tick];
        guessed.Before.Take(FSession.Race);
        guessed.Guess = FRecords->Guess();
        other = &guessed.Guess;
    }
    Apply(Records(tick, *other));
}

void TNetRace::Apply(const TRecordPair& records)
{
    for (const TTickRecord& record : records)
        ApplyCommand(record);
    FSession.SetTiller(TPlayer::Green, records[0].Tiller);
    FSession.SetTiller(TPlayer::Red, records[1].Tiller);
}

void TNetRace::ApplyCommand(const TTickRecord& record)
{
    if (record.Command == TTickRecord::Restart)
        FSession.Restart();
    else if (record.Command == TTickRecord::Wind)
        FSession.ApplyWindSettings({record.WindDirection, record.WindVariation, record.WindSpeed});
    else if (record.Command == TTickRecord::Regatta)
        FSession.StartRegatta(record.RegattaSettings);
    else if (record.Command == TTickRecord::Free)
        FSession.LeaveRegatta();
}

TDigest TNetRace::TickDigest(int64_t tick)
{
    TDirectDrawSurface* frame = FSession.BackBuffer();
    return {static_cast<uint32_t>(tick), RaceStateDigest(FSession.Race),
            tick % FrameDigestEvery == 0 && frame != nullptr ? FrameDigest(*frame) : 0};
}

void TNetRace::Settle()
{
    const int64_t through = std::min(FRecords->ReceivedThrough(), FSession.Race.ProcessedTicks());
    while (FSettled < through && FState == TState::Racing) {
        const int64_t tick = FSettled + 1;
        const TTickRecord remote = *FRecords->Remote(tick);
        const TGuessedTicks::TTick& guessed = FGuessed[tick];
        if (!(remote == guessed.Guess)) {
            RunAgainFrom(tick);
            return;
        }
        Settled(tick, Records(tick, remote), guessed.After);
    }
}

void TNetRace::RunAgainFrom(int64_t first)
{
    const int64_t last = FSession.Race.ProcessedTicks();
    ++FRollbacks.Rollbacks;
    FRollbacks.TicksRunAgain += last - first + 1;
    FRollbacks.Longest = std::max(FRollbacks.Longest, last - first + 1);
    FGuessed[first].Before.Restore(FSession.Race);
    FSeed = RandSeed;
    for (int64_t tick = first; tick <= last; ++tick) {
        StartTick(tick);
        FSession.RunTickUnseen();
        FSeed = RandSeed;
        const TDigest digest = TickDigest(tick);
        if (tick > FRecords->ReceivedThrough()) {
            FGuessed[tick].After = digest;
            continue;
        }
        Settled(tick, Records(tick, *FRecords->Remote(tick)), digest);
        // A pause or a drift stops the race here; the ticks after it run again when it goes on. No tick
        // comes to show where it stopped, so its frame is shown now.
        if (FState != TState::Racing || !FSession.Running()) {
            FSession.DXDraw1.Paint();
            return;
        }
    }
}

void TNetRace::Settled(int64_t tick, TRecordPair records, const TDigest& digest)
{
    const TTickRecord& green = records[0];
    const TTickRecord& red = records[1];
    FSettled = tick;
    FRecords->Settle(tick);
    FSession.Race.Events.HoldAfter(tick);
    if (FRecorder) {
        for (const TTickRecord& record : records)
            if (SessionCommand(record))
                FRecorder->Command(record);
        FRecorder->Tick(green.Tiller, red.Tiller);
    }
    if (FHost)
        FSpectators.Settled(green, red);
    if (OnTick)
        OnTick(digest);
    if (FState == TState::Watching)
        return;
    if (tick % TDesyncCheck::Every == 0) {
        FDesync.Own(digest);
        FLink->Send(FPeer, digest, true);
    }
    if (const auto mismatch = FDesync.Mismatch()) {
        End(TNetEnd::Desync, *mismatch);
        return;
    }
    if (green.Command == TTickRecord::Pause || red.Command == TTickRecord::Pause)
        PauseAfter(tick);
}

bool TNetRace::YieldToOther(int64_t tick)
{
    // A tick let pass is held for a frame's time: the timer asks again within milliseconds, and the frame
    // would otherwise still come on time.
    const uint32_t now = FClock.Milliseconds();
    if (FYieldUntil) {
        if (static_cast<int32_t>(now - *FYieldUntil) < 0)
            return true;
        FYieldUntil.reset();
        return false;
    }
    if (FAhead < AheadToYield * AheadScale - AheadScale / 2) {
        FAheadSince.reset();
        return false;
    }
    if (!FAheadSince)
        FAheadSince = tick;
    if (tick - *FAheadSince < YieldEvery || tick - FLastYield < YieldEvery)
        return false;
    FLastYield = tick;
    FAheadSince.reset();
    FYieldUntil = now + FrameMilliseconds;
    ++FRollbacks.TicksYielded;
    return true;
}

void TNetRace::CatchUp()
{
    for (int ran = 0; ran < CatchUpTicksPerPass && FState == TState::Watching; ++ran) {
        const int64_t tick = FSession.Race.ProcessedTicks() + 1;
        if (FWatchedThrough - tick < LiveMargin)
            return;
        WatchingTick(tick);
        FSession.RunTickUnseen();
        AfterTick(tick);
    }
}
