#include "network/NetRace.h"

#include "platform/Application.h"
#include "platform/Clock.h"
#include "simulation/RaceDigest.h"
#include "simulation/Random.h"

#include <algorithm>

namespace {

// In milliseconds.
constexpr uint32_t ConnectTimeout = 5000;
constexpr uint32_t SilenceTimeout = 5000;
constexpr uint32_t WaitBeforeTelling = 1000;
constexpr uint32_t MeasuringPingInterval = 30;
constexpr uint32_t RacingPingInterval = 250;
// Longer than a frame: while ticks run, each sends its records anyway.
constexpr uint32_t InputsResendInterval = 25;
constexpr int MeasuringPongs = 4;

} // namespace

TNetRace::TNetRace(TRaceSession& session, IApplication& application, IClock& clock, std::unique_ptr<INetLink> link,
                   bool host, TOptions options, INetRaceListener& listener)
    : FSession(session), FApplication(application), FClock(clock), FLink(std::move(link)),
      FHandler{[this](TNetPeer peer) { Connected(peer); },
               [this](TNetPeer peer, const TMessage& message) { Received(peer, message); },
               [this](TNetPeer peer, bool left) { Disconnected(peer, left); }},
      FHost(host), FOptions(std::move(options)), FListener(listener), FStarted(clock.Milliseconds()),
      FLastReceived(FStarted), FLastPing(FStarted), FLastInputs(FStarted)
{
    if (!FOptions.RecordPath.empty())
        FRecorder.emplace(FOptions.RecordPath);
    if (FHost)
        FDoor.emplace(*FLink, FOptions.Code, FOptions.Open, FOptions.Version, FOptions.TimeOfDay);
    FSession.Race.TickGate = this;
    FActivationHook = FApplication.AddActivationHook([this](bool active) {
        if (FPeer != TNetPeer::None && FState != TState::Connecting && FState != TState::Alone)
            FLink->Send(FPeer, TFocus{active}, true);
    });
    SetStatus(FHost ? TNetStatus::WaitingForGuest : TNetStatus::Connecting);
}

TNetRace::~TNetRace()
{
    Leave();
    FApplication.RemoveActivationHook(FActivationHook);
    FSession.Race.TickGate = nullptr;
    FSession.SeedClock.UseOwn();
}

void TNetRace::Service()
{
    FLink->Service(FHandler);
    if (FState == TState::Alone)
        return;
    ServiceState();
    if (FState == TState::Watching)
        CatchUp();
    // Answers and records go out now rather than at the next call: the round trip is what the delay pays for.
    FLink->Flush();
}

void TNetRace::ServiceState()
{
    const uint32_t now = FClock.Milliseconds();
    if (FDoor)
        FDoor->Service(now);
    for (const TNetPeer gone : FSpectators.Service(*FLink, now, SilenceTimeout)) {
        FLink->DisconnectNow(gone);
        FDoor->SpectatorLeft();
    }
    if (FState == TState::Connecting) {
        if (!FHost && now - FStarted > ConnectTimeout)
            End(TNetEnd::NoAnswer);
        return;
    }
    if (now - FLastReceived > SilenceTimeout) {
        End(TNetEnd::PeerLost);
        return;
    }
    if (now - FLastPing >= (FState == TState::Measuring ? MeasuringPingInterval : RacingPingInterval)) {
        FLastPing = now;
        FLink->Send(FPeer, TPing{now}, false);
    }
    if (FState == TState::Watching && FAckDue && now - FLastInputs >= InputsResendInterval) {
        FLink->Send(FPeer, TWatched{static_cast<uint32_t>(FWatchedThrough)}, false);
        FLastInputs = now;
        FAckDue = false;
    }
    if (FState != TState::Racing)
        return;
    // Records go out with every tick; between ticks only to confirm or resend, at most every frame or so.
    if ((FAckDue || !FRecords->AllConfirmed()) && now - FLastInputs >= InputsResendInterval)
        SendInputs();
    if (FWaitingSince && now - *FWaitingSince >= WaitBeforeTelling && FStatus == TNetStatus::None)
        SetStatus(FPeerActive ? TNetStatus::WaitingForPeer : TNetStatus::PeerInactive);
}

void TNetRace::SendInputs()
{
    TInputs inputs = FRecords->Outgoing();
    inputs.Tick = static_cast<uint32_t>(FSession.Race.ProcessedTicks());
    inputs.Ahead = static_cast<int8_t>(std::clamp(FOwnAhead, -127, 127));
    FLink->Send(FPeer, inputs, false);
    FLastInputs = FClock.Milliseconds();
    FAckDue = false;
}


void TNetRace::SetStatus(TNetStatus status)
{
    if (status == FStatus)
        return;
    FStatus = status;
    FListener.NetStatusChanged(status);
}

void TNetRace::Connected(TNetPeer peer)
{
    if (FHost) {
        FDoor->Connected(peer, FClock.Milliseconds());
        return;
    }
    FPeer = peer;
    FJoinerNonce = NewNonce();
    FLink->Send(peer, THello{ProtocolVersion, MakeVersionText(FOptions.Version), FJoinerNonce, FOptions.Watch}, true);
}

void TNetRace::Disconnected(TNetPeer peer, bool left)
{
    if (FSpectators.Has(peer)) {
        FSpectators.Remove(peer);
        FDoor->SpectatorLeft();
        return;
    }
    if (FDoor && peer != FPeer)
        FDoor->Disconnected(peer);
    if (peer != FPeer || FState == TState::Alone)
        return;
    FPeer = TNetPeer::None;
    if (FState == TState::Connecting) {
        // A joiner that went before it was taken leaves the host waiting for the next.
        if (!FHost)
            End(TNetEnd::NoAnswer);
        return;
    }
    End(left ? TNetEnd::PeerLeft : TNetEnd::PeerLost);
}

void TNetRace::Received(TNetPeer peer, const TMessage& message)
{
    if (FState == TState::Alone)
        return;
    if (FSpectators.Has(peer)) {
        FSpectators.Heard(peer, FClock.Milliseconds());
        if (const auto* watched = std::get_if<TWatched>(&message))
            FSpectators.Acknowledged(peer, watched->Through, FClock.Milliseconds());
        else if (const auto* ping = std::get_if<TPing>(&message))
            FLink->Send(peer, TPong{ping->Stamp}, false);
        return;
    }
    if (FDoor && peer != FPeer) {
        const THostDoor::TOutcome outcome = FDoor->Received(peer, message, FClock.Milliseconds());
        if (outcome == THostDoor::TOutcome::WrongCode) {
            FListener.NetWrongCodeRefused();
        } else if (outcome == THostDoor::TOutcome::Spectator) {
            FSpectators.Add(peer, FClock.Milliseconds());
        } else if (outcome == THostDoor::TOutcome::Admitted && FPeer == TNetPeer::None) {
            FPeer = peer;
            Begin(FOptions.TimeOfDay);
        }
        return;
    }
    if (peer != FPeer)
        return;
    FLastReceived = FClock.Milliseconds();
    std::visit([this](const auto& m) { Handle(m); }, message);
}

void TNetRace::Handle(const TChallenge& m)
{
    if (FHost || FState != TState::Connecting || FHostNonce)
        return;
    FHostNonce = m.Nonce;
    // An open race asks for no code: the joiner proves the empty one, whatever it was given.
    FKey.emplace(m.CodeRequired ? FOptions.Code : std::string());
    FLink->Send(FPeer, TProofOfCode{FKey->JoinerProof(*FHostNonce, FJoinerNonce)}, true);
}

void TNetRace::Handle(const TWelcome& m)
{
    if (FHost || FState != TState::Connecting || !FHostNonce)
        return;
    // Only a host that knows the code can make this proof: anything else is not the race we were invited to.
    if (!SameProof(m.Proof, FKey->HostProof(*FHostNonce, FJoinerNonce))) {
        End(TNetEnd::WrongCode);
        return;
    }
    FLink->Seal(FPeer, FKey->Keys(false, *FHostNonce, FJoinerNonce));
    Begin(m.TimeOfDay);
}

void TNetRace::Handle(const TRefusal& m)
{
    if (FHost || FState != TState::Connecting)
        return;
    if (m.Reason == TRefusal::RaceFull)
        End(TNetEnd::RaceFull);
    else if (m.Reason == TRefusal::EnoughSpectators)
        End(TNetEnd::EnoughSpectators);
    else if (m.Reason == TRefusal::WrongCode)
        End(TNetEnd::WrongCode);
    else
        End(TNetEnd::OtherVersion, 0, VersionString(m.Version));
}

void TNetRace::Handle(const TInputs& m)
{
    if (!FRecords || FState != TState::Racing)
        return;
    if (FRecords->Received(m))
        FAckDue = true;
    // Where the other side is now: where it was when it sent this, half a round trip ago.
    const int64_t other = int64_t{m.Tick} + FRoundTrip * 3 / 100;
    FOwnAhead = static_cast<int32_t>(std::clamp<int64_t>(FSession.Race.ProcessedTicks() - other, -127, 127));
    // Half the difference of the two reckonings, so that what each side misjudges of the line cancels out;
    // smoothed, since every message's reckoning is off by the line's jitter.
    FAhead += ((FOwnAhead - m.Ahead) * AheadScale / 2 - FAhead) / 16;
}

void TNetRace::Handle(const TWatchTicks& m)
{
    if (FState != TState::Watching)
        return;
    FAckDue = true;
    // Nothing far beyond what is here is kept: it would only be a way to fill this machine's memory.
    const int64_t last = int64_t{m.FirstTick} + m.Count - 1;
    if (last > FWatchedThrough + 2 * TWatchFeed::InFlight)
        return;
    FLive = std::max<int64_t>(FLive, m.Live);
    if (last > static_cast<int64_t>(FWatched.size())) {
        FWatched.resize(static_cast<size_t>(last));
        FWatchedHere.resize(static_cast<size_t>(last));
    }
    for (size_t i = 0; i < m.Count; ++i) {
        const size_t at = m.FirstTick - 1 + i;
        if (!FWatchedHere[at]) {
            FWatched[at] = m.Records[i];
            FWatchedHere[at] = true;
        }
    }
    while (FWatchedThrough < static_cast<int64_t>(FWatched.size()) && FWatchedHere[static_cast<size_t>(FWatchedThrough)])
        ++FWatchedThrough;
}

void TNetRace::Handle(const TWatched&) {}

void TNetRace::Handle(const TResume& m)
{
    if (FPausedAfter != 0 && m.Tick == FPausedAfter)
        ResumeHere();
    else if (FRecords && m.Tick > FSettled)
        FResumeAfter = m.Tick;
}

void TNetRace::Handle(const TDigest& m)
{
    FDesync.Remote(m);
    if (const auto tick = FDesync.Mismatch())
        End(TNetEnd::Desync, *tick);
}

void TNetRace::Handle(const TFocus& m)
{
    FPeerActive = m.Active;
    if (FState == TState::Racing)
        SetStatus(m.Active ? TNetStatus::None : TNetStatus::PeerInactive);
}

void TNetRace::Handle(const TPing& m)
{
    FLink->Send(FPeer, TPong{m.Stamp}, false);
}

void TNetRace::Handle(const TPong& m)
{
    const int64_t roundTrip = static_cast<int64_t>(FClock.Milliseconds() - m.Stamp);
    if (FState == TState::Measuring) {
        FRoundTrip = std::max(FRoundTrip, roundTrip);
        if (++FPongs >= MeasuringPongs)
            StartRacing();
        return;
    }
    // Smoothed, so that one late answer does not throw the time sync.
    FRoundTrip = (7 * FRoundTrip + roundTrip) / 8;
}

void TNetRace::Begin(uint32_t timeOfDay)
{
    FState = FOptions.Watch ? TState::Watching : TState::Measuring;
    FRaceClock.emplace(FSession.Race, timeOfDay);
    FSession.SeedClock.SetSource(*FRaceClock);
    FSeed = timeOfDay;
    RandSeed = timeOfDay;
    FRecords.emplace(FOptions.InputDelay);
    FSession.Race.Events.HoldAfter(0);
    if (FRecorder)
        FRecorder->Start(timeOfDay);
    FLastReceived = FClock.Milliseconds();
    SetStatus(FOptions.Watch ? TNetStatus::Watching : TNetStatus::Connecting);
}

void TNetRace::StartRacing()
{
    FState = TState::Racing;
    SetStatus(TNetStatus::None);
    SendInputs();
}

void TNetRace::End(TNetEnd::TKind kind, int64_t tick, const std::string& hostVersion)
{
    TNetEnd end;
    end.Kind = kind;
    end.Tick = tick;
    end.HostVersion = hostVersion;
    end.GuestVersion = FOptions.Version;
    FState = TState::Alone;
    if (FPeer != TNetPeer::None && end.Kind != TNetEnd::PeerLost) {
        FLink->Disconnect(FPeer);
        FLink->Flush();
    }
    FPeer = TNetPeer::None;
    FSpectators.DisconnectAll(*FLink);
    FRecorder.reset();
    FSession.Race.Events.HoldNothing();
    SetStatus(TNetStatus::None);
    if (end.Kind == TNetEnd::Desync && FSession.Running()) {
        FSession.Pause();
        TellPaused(true);
    }
    FListener.NetRaceEnded(end);
}

void TNetRace::Leave()
{
    if (FState == TState::Alone)
        return;
    FState = TState::Alone;
    FRecorder.reset();
    FSession.Race.Events.HoldNothing();
    FSpectators.DisconnectAll(*FLink);
    if (FPeer != TNetPeer::None) {
        FLink->DisconnectNow(FPeer);
        FPeer = TNetPeer::None;
    }
    FLink->Flush();
}

void TNetRace::SetTiller(TPlayer player, TTiller tiller)
{
    if (Watching())
        return;
    if (Online())
        FRecords->SetLocalTiller(tiller);
    else
        FSession.SetTiller(player, tiller);
}

void TNetRace::Restart()
{
    if (Watching())
        return;
    if (Online())
        FRecords->QueueCommand({TTiller::Amidships, TTickRecord::Restart});
    else
        FSession.Restart();
}

void TNetRace::Pause()
{
    if (Watching())
        return;
    if (!Online()) {
        FSession.Pause();
        TellPaused(true);
    } else if (FPausedAfter == 0) {
        FRecords->QueueCommand({TTiller::Amidships, TTickRecord::Pause});
    }
}

void TNetRace::Resume()
{
    if (Watching())
        return;
    if (!Online()) {
        FPausedAfter = 0;
        FSession.Resume();
        TellPaused(false);
        return;
    }
    if (FPausedAfter == 0)
        return;
    FLink->Send(FPeer, TResume{static_cast<uint32_t>(FPausedAfter)}, true);
    ResumeHere();
}

void TNetRace::ApplyWindSettings(const TWindSettings& settings)
{
    if (Watching())
        return;
    const TWindSettings limited = settings.Limited();
    if (!Online()) {
        FSession.ApplyWindSettings(limited);
        return;
    }
    TTickRecord record{TTiller::Amidships, TTickRecord::Wind};
    record.WindDirection = static_cast<int16_t>(limited.Direction);
    record.WindVariation = static_cast<int16_t>(limited.Variation);
    record.WindSpeed = static_cast<int16_t>(limited.Speed);
    FRecords->QueueCommand(record);
}

void TNetRace::StartRegatta(const TRegattaSettings& settings)
{
    if (Watching())
        return;
    const TRegattaSettings limited = settings.Limited();
    if (!Online()) {
        FSession.StartRegatta(limited);
        return;
    }
    TTickRecord record{TTiller::Amidships, TTickRecord::Regatta};
    record.RegattaSettings = limited;
    FRecords->QueueCommand(record);
}

void TNetRace::LeaveRegatta()
{
    if (Watching())
        return;
    if (Online())
        FRecords->QueueCommand({TTiller::Amidships, TTickRecord::Free});
    else
        FSession.LeaveRegatta();
}

void TNetRace::PauseAfter(int64_t tick)
{
    if (FRecorder)
        FRecorder->Pause();
    if (FResumeAfter == tick) {
        // The other player resumed before this machine got here.
        FResumeAfter = 0;
        if (FRecorder)
            FRecorder->Resume();
        return;
    }
    FSession.Pause();
    FPausedAfter = tick;
    TellPaused(true);
}

void TNetRace::ResumeHere()
{
    FPausedAfter = 0;
    FSession.Resume();
    if (FRecorder)
        FRecorder->Resume();
    TellPaused(false);
}

void TNetRace::TellPaused(bool paused)
{
    FPaused = paused;
    FListener.NetPausedChanged(paused);
}
