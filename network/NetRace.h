#pragma once
#include "network/DesyncCheck.h"
#include "network/HostDoor.h"
#include "network/Lockstep.h"
#include "network/NetLink.h"
#include "simulation/RaceClock.h"
#include "network/RaceRecorder.h"
#include "simulation/RaceCommands.h"
#include "simulation/RaceSession.h"
#include "simulation/TickGate.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class IApplication;
class IClock;

// What the window shows in its status bar for an online race; None: its usual texts.
enum class TNetStatus { None, WaitingForGuest, Connecting, WaitingForPeer, PeerInactive };

// What ends an online race, for the player's message.
struct TNetEnd {
    // WrongCode: the host refused this joiner's race code (or wanted one and got none).
    enum TKind { PeerLeft, PeerLost, Desync, RaceFull, OtherVersion, NoAnswer, WrongCode } Kind = PeerLeft;
    int64_t Tick = 0;            // Desync: the first tick whose digests differ
    std::string HostVersion;     // OtherVersion
    std::string GuestVersion;    // OtherVersion
};

class INetRaceListener {
public:
    virtual ~INetRaceListener() = default;
    virtual void NetStatusChanged(TNetStatus status) = 0;
    // The race was paused or resumed by either player.
    virtual void NetPausedChanged(bool paused) = 0;
    // The online race is over; after PeerLeft, PeerLost and Desync the race goes on on this machine alone.
    virtual void NetRaceEnded(const TNetEnd& end) = 0;
    // The host turned away a joiner with a wrong race code; the race still waits for its guest.
    virtual void NetWrongCodeRefused() {}
};

// A race session raced by two machines in lockstep: every processed tick runs on both with both players'
// tiller records for that tick, a key pressed here taking effect D ticks later on both. Restarts, the wind
// settings and pauses travel in the tick records; resuming, the focus and the digests beside them. The host
// steers green, the joiner red. As the race's commands: while the two race, every tiller steers this machine's
// dinghy and the commands go to both; before and after, they act on this machine's session at once.
class TNetRace : public ITickGate, public IRaceCommands {
public:
    struct TOptions {
        std::string Version;
        // The host's time of day: the race's random seed.
        uint32_t TimeOfDay = 0;
        // Where the race's records go as a replay script; empty: nowhere.
        std::string RecordPath;
        // The race code in its written form (see RaceCode.h): the host's, or what the joiner was given.
        std::string Code;
        // Host: anyone who reaches the port may join, without a code (a LAN party).
        bool Open = false;
    };

    // The session, the application and the clock (the machine's, which the session's timer reads too) must
    // outlive the race. Raises std::runtime_error naming the record file when it cannot be written.
    TNetRace(TRaceSession& session, IApplication& application, IClock& clock, std::unique_ptr<INetLink> link,
             bool host, TOptions options, INetRaceListener& listener);
    ~TNetRace() override;
    TNetRace(const TNetRace&) = delete;
    TNetRace& operator=(const TNetRace&) = delete;

    // Call often (every few milliseconds), also while the race stands still.
    void Service();

    // The two machines race together: keys steer this player's dinghy, commands go to both.
    bool Online() const { return FState == TState::Racing; }
    // Connecting or racing: the race waits for the other machine.
    bool Linked() const { return FState != TState::Alone; }
    TPlayer LocalPlayer() const { return FHost ? TPlayer::Green : TPlayer::Red; }

    void SetTiller(TPlayer player, TTiller tiller) override;
    void Restart() override;
    void Pause() override;
    void Resume() override;
    void ApplyWindSettings(const TWindSettings& settings) override;
    void StartRegatta(const TRegattaSettings& settings) override;
    void LeaveRegatta() override;
    bool Paused() const override { return FPaused; }
    // Says goodbye to the other machine; the race goes on here alone.
    void Leave();

    int32_t Delay() const { return FLockstep ? FLockstep->Delay() : 0; }
    int64_t RoundTrip() const { return FRoundTrip; }
    const INetLink& Link() const { return *FLink; }
    // Messages dropped because their tag was wrong or missing, or because they came from a caller that had
    // not proven the race code (a third machine, a silent caller, one turned away).
    int64_t Rejected() const { return FLink->Rejected() + (FDoor ? FDoor->Ignored() : 0); }
    const TDesyncCheck& Digests() const { return FDesync; }

    // Called after every tick run while linked, with the tick's two records, green's first.
    std::function<void(int64_t tick)> OnTick;

    bool BeforeTick(int64_t tick) override;
    void AfterTick(int64_t tick) override;

private:
    enum class TState { Connecting, Measuring, Racing, Alone };

    void Connected(TNetPeer peer);
    void Received(TNetPeer peer, const TMessage& message);
    void Disconnected(TNetPeer peer, bool left);
    void Handle(const THello&) {}
    void Handle(const TWelcome& m);
    void Handle(const TRefusal& m);
    void Handle(const TInputs& m);
    void Handle(const TResume& m);
    void Handle(const TDigest& m);
    void Handle(const TFocus& m);
    void Handle(const TPing& m);
    void Handle(const TPong& m);
    void Handle(const TChallenge& m);
    void Handle(const TProofOfCode&) {}

    // Time-outs, pings, resent records and the waiting notice.
    void ServiceState();
    void Begin(uint32_t timeOfDay);
    void StartRacing();
    void End(TNetEnd::TKind kind, int64_t tick = 0, const std::string& hostVersion = {});
    void SendInputs();
    void SetStatus(TNetStatus status);
    void Apply(const TTickRecord& record);
    void PauseAfter(int64_t tick);
    void ResumeHere();
    // What Paused says from now on, told to the listener.
    void TellPaused(bool paused);

    TRaceSession& FSession;
    IApplication& FApplication;
    IClock& FClock;
    int FActivationHook = 0;
    std::unique_ptr<INetLink> FLink;
    INetLink::THandler FHandler;
    TNetPeer FPeer = TNetPeer::None;
    bool FHost;
    TOptions FOptions;
    INetRaceListener& FListener;
    TState FState = TState::Connecting;
    TNetStatus FStatus = TNetStatus::None;
    // The host's: who may take the seat.
    std::optional<THostDoor> FDoor;
    // The joiner's half of the handshake, and the key its answer was made with.
    TNonce FJoinerNonce{};
    std::optional<TNonce> FHostNonce;
    std::optional<TRaceKey> FKey;
    std::optional<TLockstep> FLockstep;
    std::optional<TRaceClock> FRaceClock;
    TDesyncCheck FDesync;
    std::optional<TRaceRecorder> FRecorder;
    // This race's random generator, kept across the other code that draws from the shared one.
    uint32_t FSeed = 0;
    bool FPauseAfterTick = false;
    bool FPaused = false;
    int64_t FPausedAfter = 0;
    int64_t FResumeAfter = 0;
    bool FPeerActive = true;
    int64_t FRoundTrip = 0;
    int FPongs = 0;
    bool FAckDue = false;
    // Readings of the clock's millisecond counter, compared modulo 2^32.
    uint32_t FStarted;
    uint32_t FLastReceived;
    uint32_t FLastPing;
    uint32_t FLastInputs;
    std::optional<uint32_t> FWaitingSince;
};

// The input delay in ticks for a round trip of that many milliseconds: the other machine has a record
// before it needs it, with a frame to spare.
int32_t DelayForRoundTrip(int64_t milliseconds);
