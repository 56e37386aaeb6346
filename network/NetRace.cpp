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

int32_t DelayForRoundTrip(int64_t milliseconds)
{
    // Half the round trip plus a frame, in whole ticks of 1/60 s.
    const int64_t ticks = (std::max<int64_t>(milliseconds, 0) * 30 + 17 * 60 + 999) / 1000;
    return static_cast<int32_t>(std::clamp<int64_t>(ticks, TLockstep::MinDelay, TLockstep::MaxDelay));
}

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
    // Answers and records go out now rather than at the next call: the round trip is what the delay pays for.
    FLink->Flush();
}

void TNetRace::ServiceState()
{
    const uint32_t now = FClock.Milliseconds();
    if (FDoor)
        FDoor->Service(now);
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
    if (FState != TState::Racing)
        return;
    // Records go out with every tick; between ticks only to confirm or resend, at most every frame or so.
    if ((FAckDue || !FLockstep->AllConfirmed()) && now - FLastInputs >= InputsResendInterval)
        SendInputs();
    if (FWaitingSince && now - *FWaitingSince >= WaitBeforeTelling && FStatus == TNetStatus::None)
        SetStatus(FPeerActive ? TNetStatus::WaitingForPeer : TNetStatus::PeerInactive);
}

void TNetRace::SendInputs()
{
    FLink->Send(FPeer, FLockstep->Outgoing(), false);
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
    FLink->Send(peer, THello{ProtocolVersion, MakeVersionText(FOptions.Version), FJoinerNonce}, true);
}

void TNetRace::Disconnected(TNetPeer peer, bool left)
{
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
    if (FDoor && peer != FPeer) {
        const THostDoor::TOutcome outcome = FDoor->Received(peer, message, FClock.Milliseconds());
        if (outcome == THostDoor::TOutcome::WrongCode) {
            FListener.NetWrongCodeRefused();
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
    else if (m.Reason == TRefusal::WrongCode)
        End(TNetEnd::WrongCode);
    else
        End(TNetEnd::OtherVersion, 0, VersionString(m.Version));
}

void TNetRace::Handle(const TInputs& m)
{
    if (FLockstep && FLockstep->Received(m))
        FAckDue = true;
}

void TNetRace::Handle(const TResume& m)
{
    if (FPausedAfter != 0 && m.Tick == FPausedAfter)
        ResumeHere();
    else if (FLockstep && m.Tick >= FLockstep->NextTick())
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
    // Smoothed, so one late answer does not lengthen the delay for good.
    FRoundTrip = (7 * FRoundTrip + roundTrip) / 8;
    if (FLockstep && DelayForRoundTrip(FRoundTrip) > FLockstep->Delay())
        FLockstep->GrowDelay(DelayForRoundTrip(FRoundTrip));
}

void TNetRace::Begin(uint32_t timeOfDay)
{
    FState = TState::Measuring;
    FRaceClock.emplace(FSession.Race, timeOfDay);
    FSession.SeedClock.SetSource(*FRaceClock);
    FSeed = timeOfDay;
    RandSeed = timeOfDay;
    FLockstep.emplace(TLockstep::MinDelay);
    if (FRecorder)
        FRecorder->Start(timeOfDay);
    FLastReceived = FClock.Milliseconds();
    SetStatus(TNetStatus::Connecting);
}

void TNetRace::StartRacing()
{
    FLockstep->GrowDelay(DelayForRoundTrip(FRoundTrip));
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
    FRecorder.reset();
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
    if (FPeer != TNetPeer::None) {
        FLink->DisconnectNow(FPeer);
        FLink->Flush();
        FPeer = TNetPeer::None;
    }
}

void TNetRace::SetTiller(TPlayer player, TTiller tiller)
{
    if (Online())
        FLockstep->SetLocalTiller(tiller);
    else
        FSession.SetTiller(player, tiller);
}

void TNetRace::Restart()
{
    if (Online())
        FLockstep->QueueCommand({TTiller::Amidships, TTickRecord::Restart});
    else
        FSession.Restart();
}

void TNetRace::Pause()
{
    if (!Online()) {
        FSession.Pause();
        TellPaused(true);
    } else if (FPausedAfter == 0) {
        FLockstep->QueueCommand({TTiller::Amidships, TTickRecord::Pause});
    }
}

void TNetRace::Resume()
{
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
    const TWindSettings limited = settings.Limited();
    if (!Online()) {
        FSession.ApplyWindSettings(limited);
        return;
    }
    TTickRecord record{TTiller::Amidships, TTickRecord::Wind};
    record.WindDirection = static_cast<int16_t>(limited.Direction);
    record.WindVariation = static_cast<int16_t>(limited.Variation);
    record.WindSpeed = static_cast<int16_t>(limited.Speed);
    FLockstep->QueueCommand(record);
}

void TNetRace::StartRegatta(const TRegattaSettings& settings)
{
    const TRegattaSettings limited = settings.Limited();
    if (!Online()) {
        FSession.StartRegatta(limited);
        return;
    }
    TTickRecord record{TTiller::Amidships, TTickRecord::Regatta};
    record.RegattaSettings = limited;
    FLockstep->QueueCommand(record);
}

void TNetRace::LeaveRegatta()
{
    if (Online())
        FLockstep->QueueCommand({TTiller::Amidships, TTickRecord::Free});
    else
        FSession.LeaveRegatta();
}

void TNetRace::Apply(const TTickRecord& record)
{
    if (record.Command == TTickRecord::Restart)
        FSession.Restart();
    else if (record.Command == TTickRecord::Wind)
        FSession.ApplyWindSettings({record.WindDirection, record.WindVariation, record.WindSpeed});
    else if (record.Command == TTickRecord::Regatta)
        FSession.StartRegatta(record.RegattaSettings);
    else if (record.Command == TTickRecord::Free)
        FSession.LeaveRegatta();
    else
        return;
    if (FRecorder)
        FRecorder->Command(record);
}

bool TNetRace::BeforeTick(int64_t tick)
{
    if (FState == TState::Alone)
        return true;
    if (FState != TState::Racing || !FLockstep->Ready() || tick != FLockstep->NextTick()) {
        if (!FWaitingSince)
            FWaitingSince = FClock.Milliseconds();
        return false;
    }
    FWaitingSince.reset();
    if (FStatus == TNetStatus::WaitingForPeer)
        SetStatus(TNetStatus::None);
    const TLockstep::TTick records = FLockstep->Take();
    const TTickRecord& green = FHost ? records.Local : records.Remote;
    const TTickRecord& red = FHost ? records.Remote : records.Local;
    Apply(green);
    Apply(red);
    FSession.SetTiller(TPlayer::Green, green.Tiller);
    FSession.SetTiller(TPlayer::Red, red.Tiller);
    if (FRecorder)
        FRecorder->Tick(green.Tiller, red.Tiller);
    FPauseAfterTick = green.Command == TTickRecord::Pause || red.Command == TTickRecord::Pause;
    RandSeed = FSeed;
    SendInputs();
    FLink->Flush();
    return true;
}

void TNetRace::AfterTick(int64_t tick)
{
    if (FState == TState::Alone)
        return;
    FSeed = RandSeed;
    if (tick % TDesyncCheck::Every == 0) {
        TDirectDrawSurface* frame = FSession.BackBuffer();
        const TDigest digest{static_cast<uint32_t>(tick), RaceStateDigest(FSession.Race),
                             frame != nullptr ? FrameDigest(*frame) : 0};
        FDesync.Own(digest);
        FLink->Send(FPeer, digest, true);
    }
    if (OnTick)
        OnTick(tick);
    if (const auto mismatch = FDesync.Mismatch()) {
        End(TNetEnd::Desync, *mismatch);
        return;
    }
    if (FPauseAfterTick)
        PauseAfter(tick);
}

void TNetRace::PauseAfter(int64_t tick)
{
    FPauseAfterTick = false;
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
