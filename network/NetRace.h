#pragma once
#include "network/DesyncCheck.h"
#include "network/GuessedTicks.h"
#include "network/HostDoor.h"
#include "network/NetLink.h"
#include "network/RaceRecorder.h"
#include "network/WatchFeed.h"
#include "network/TickRecords.h"
#include "simulation/RaceClock.h"
#include "simulation/RaceCommands.h"
#include "simulation/RaceSession.h"
#include "simulation/TickGate.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IApplication;
class IClock;

// What the window shows in its status bar for an online race; None: its usual texts.
// Watching: a spectator's race, with how far behind live it is (TNetRace::Behind).
enum class TNetStatus { None, WaitingForGuest, Connecting, WaitingForPeer, PeerInactive, Watching };

// What ends an online race, for the player's message.
struct TNetEnd {
    // WrongCode: the host refused this joiner's race code (or wanted one and got none). EnoughSpectators: the
    // host turned a spectator away, MaxSpectators watch already.
    enum TKind { PeerLeft, PeerLost, Desync, RaceFull, OtherVersion, NoAnswer, WrongCode, EnoughSpectators } Kind = PeerLeft;
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

// A race session raced by two machines: every tick runs on both with both players' tiller records for that
// tick, a key pressed here taking effect D ticks later on both. A tick whose other record has not come yet
// runs on a guess (the other player's last tiller, no command), up to TGuessedTicks::Window ticks past the
// last settled one; when the record comes different, the race is put back to before that tick and the ticks
// since run again unseen. Only settled ticks (run with both records) count: their digests are compared,
// their events told, their records written. Restarts, the wind settings, regattas and pauses travel in the
// tick records and take effect only on settled ticks; resuming, the focus and the digests beside them. The
// host steers green, the joiner red, and sends the settled ticks to its spectators. As the race's commands:
// while the two race, every tiller steers this machine's dinghy and the commands go to both; before and
// after, they act on this machine's session at once; a spectator's steer nothing.
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
        // Ticks between a key and its effect, 0..TTickRecords::MaxDelay.
        int32_t InputDelay = TTickRecords::DefaultDelay;
        // Joiner: comes to watch rather than to race.
        bool Watch = false;
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
    // A spectator's race, following the host's.
    bool Watching() const { return FOptions.Watch && FState != TState::Alone; }
    // A spectator: how many ticks behind the host's last settled one it is.
    int64_t Behind() const { return std::max<int64_t>(FLive - FSession.Race.ProcessedTicks(), 0); }
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

    int32_t Delay() const { return FRecords ? FRecords->Delay() : 0; }
    // The last tick run with both records: everything up to it is the same on both machines.
    int64_t Settled() const { return FSettled; }
    const TRollbackCount& Rollbacks() const { return FRollbacks; }
    size_t Spectators() const { return FSpectators.Count(); }
    int64_t RoundTrip() const { return FRoundTrip; }
    const INetLink& Link() const { return *FLink; }
    // Messages dropped because their tag was wrong or missing, or because they came from a caller that had
    // not proven the race code (a third machine, a silent caller, one turned away).
    int64_t Rejected() const { return FLink->Rejected() + (FDoor ? FDoor->Ignored() : 0); }
    const TDesyncCheck& Digests() const { return FDesync; }

    // Called for every settled tick, in order, with its digests: the race state's, and the frame's on every
    // FrameDigestEvery-th tick (0 on the others).
    std::function<void(const TDigest& digest)> OnTick;
    static constexpr int64_t FrameDigestEvery = 10;

    bool BeforeTick(int64_t tick) override;
    void AfterTick(int64_t tick) override;

private:
    enum class TState { Connecting, Measuring, Racing, Watching, Alone };

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
    void Handle(const TWatchTicks& m);
    void Handle(const TWatched& m);

    // Time-outs, pings, resent records and the waiting notice.
    void ServiceState();
    void Begin(uint32_t timeOfDay);
    void StartRacing();
    void End(TNetEnd::TKind kind, int64_t tick = 0, const std::string& hostVersion = {});
    void SendInputs();
    void SetStatus(TNetStatus status);
    // Holds the tick back, telling the player after a while that the race waits.
    bool Wait();

    // The ticks (NetRaceTicks.cpp): records, guesses, rollbacks and settling.
    bool RacingTick(int64_t tick);
    bool WatchingTick(int64_t tick);
    // Both records of a tick, green's first, with the other player's given.
    using TRecordPair = std::array<TTickRecord, 2>;
    TRecordPair Records(int64_t tick, const TTickRecord& other) const;
    // Gives the tick about to run its records: the other's when here, else a guess, taken after a snapshot of
    // the race as it stands; and the race's own random generator.
    void StartTick(int64_t tick);
    // The records' commands and tillers on the race.
    void Apply(const TRecordPair& records);
    void ApplyCommand(const TTickRecord& record);
    // The digests after the tick just run.
    TDigest TickDigest(int64_t tick);
    // Settles the ticks whose records came, running again those that ran on a wrong guess.
    void Settle();
    void RunAgainFrom(int64_t tick);
    // The tick ran with both records: compared, told, written, sent to the spectators.
    void Settled(int64_t tick, TRecordPair records, const TDigest& digest);
    // A side that stays ahead of the other lets a tick pass now and then, so that neither guesses much more.
    bool YieldToOther(int64_t tick);
    // A spectator behind the host runs ticks unseen until it is nearly live.
    void CatchUp();
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
    std::optional<TTickRecords> FRecords;
    TGuessedTicks FGuessed;
    int64_t FSettled = 0;
    TRollbackCount FRollbacks;
    // Time sync: how far ahead this side reckons itself, how far ahead of the other it is by both sides'
    // reckonings (in 1/AheadScale ticks), and since when it has been well ahead.
    static constexpr int32_t AheadScale = 16;
    int32_t FOwnAhead = 0;
    int32_t FAhead = 0;
    std::optional<int64_t> FAheadSince;
    int64_t FLastYield = 0;
    std::optional<uint32_t> FYieldUntil;
    // The host's spectators; a spectator's ticks from the host, green's and red's, whether each is here (they
    // come in any order), how far they are here without a gap, and the host's last settled tick.
    TWatchFeed FSpectators;
    std::vector<TRecordPair> FWatched;
    std::vector<bool> FWatchedHere;
    int64_t FWatchedThrough = 0;
    int64_t FLive = 0;
    std::optional<TRaceClock> FRaceClock;
    TDesyncCheck FDesync;
    std::optional<TRaceRecorder> FRecorder;
    // This race's random generator, kept across the other code that draws from the shared one.
    uint32_t FSeed = 0;
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

