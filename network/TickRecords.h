#pragma once
#include "network/Messages.h"

#include <array>
#include <cstdint>
#include <deque>

// The two streams of tick records of an online race: this player's, made D ticks ahead of the tick being run
// and sent until the other side has them, and the other player's, kept as they come in until their tick is
// settled (run with both records and told). A tick whose other record is not here yet runs on a guess (see
// Guess); nothing received grows the streams: the other side's records are kept only within a fixed window.
class TTickRecords {
public:
    // The first D ticks have this player's tiller amidships and no command.
    explicit TTickRecords(int32_t delay);

    static constexpr int32_t DefaultDelay = 2;
    static constexpr int32_t MaxDelay = 4;
    // How many of the other side's records beyond the settled tick are kept.
    static constexpr int64_t Window = 128;

    int32_t Delay() const { return FDelay; }

    // What this player does now; sampled when the next record is made.
    void SetLocalTiller(TTiller tiller) { FTiller = tiller; }
    // A command for the next record that has none; several go out one record after another.
    void QueueCommand(const TTickRecord& command);

    // Makes this player's records through tick + D: the tick is about to run for the first time.
    void MakeFor(int64_t tick);
    // This player's record for a tick after the settled one, made already.
    const TTickRecord& Local(int64_t tick) const;
    // The other player's record for a tick after the settled one, or null while it is not here.
    const TTickRecord* Remote(int64_t tick) const;
    // What the other player most likely does on a tick whose record is not here: its last tiller again,
    // with no command.
    TTickRecord Guess() const;
    // The ticks through this one ran with both records and were told: their records may go.
    void Settle(int64_t tick);
    int64_t Settled() const { return FSettled; }

    // This player's records the other side has not confirmed (at most a message's worth), and the
    // confirmation of what came from there.
    TInputs Outgoing() const;
    // False when the message held nothing usable (a stale copy counts as usable).
    bool Received(const TInputs& inputs);
    // The other player's records are here without a gap up to this tick.
    int64_t ReceivedThrough() const { return FReceivedThrough; }
    // This player's records are all confirmed.
    bool AllConfirmed() const { return FConfirmed >= FMade; }

private:
    void MakeRecord();
    // Drops this player's records that are both settled and confirmed.
    void Forget();
    static size_t Slot(int64_t tick) { return static_cast<size_t>(tick % Window); }

    int32_t FDelay;
    TTiller FTiller = TTiller::Amidships;
    std::deque<TTickRecord> FCommands;
    int64_t FSettled = 0;
    // This player's records not yet both settled and confirmed: FLocal[0] is for tick FLocalFirst.
    std::deque<TTickRecord> FLocal;
    int64_t FLocalFirst = 1;
    // The other side has this player's records up to this tick.
    int64_t FConfirmed = 0;
    // This player's records are made up to this tick.
    int64_t FMade = 0;
    // The other player's records by tick modulo the window.
    std::array<TTickRecord, Window> FRemote{};
    std::array<bool, Window> FRemoteHere{};
    int64_t FReceivedThrough = 0;
    TTiller FLastRemoteTiller = TTiller::Amidships;
};
