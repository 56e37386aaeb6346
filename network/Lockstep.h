#pragma once
#include "network/Messages.h"

#include <array>
#include <cstdint>
#include <deque>

// The two streams of tick records of an online race: this player's, made D ticks ahead of the tick being
// run and sent until the other side has them, and the other player's, kept as they come in. A tick can run
// once both of its records are here. Nothing received grows it: the other side's records are kept only
// within a fixed window ahead of the next tick.
class TLockstep {
public:
    // The first D ticks have this player's tiller amidships and no command.
    explicit TLockstep(int32_t delay);

    static constexpr int32_t MinDelay = 2;
    static constexpr int32_t MaxDelay = 12;
    // How many of the other side's records ahead of the next tick are kept.
    static constexpr int64_t Window = 128;

    int32_t Delay() const { return FDelay; }
    // A longer delay from the next tick on: the ticks in between keep this player's tiller. Never shorter.
    void GrowDelay(int32_t delay);

    // What this player does now; sampled when the next record is made.
    void SetLocalTiller(TTiller tiller) { FTiller = tiller; }
    // A command for the next record that has none; several go out one record after another.
    void QueueCommand(const TTickRecord& command);

    // The tick to run next, and whether the other player's record for it is here.
    int64_t NextTick() const { return FNext; }
    bool Ready() const;
    struct TTick {
        TTickRecord Local;
        TTickRecord Remote;
    };
    // Both records of the next tick, which must be Ready; makes this player's record D ticks later.
    TTick Take();

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
    // Drops this player's records that are both run and confirmed.
    void Forget();

    int32_t FDelay;
    TTiller FTiller = TTiller::Amidships;
    std::deque<TTickRecord> FCommands;
    int64_t FNext = 1;
    // This player's records not yet both run and confirmed: FLocal[0] is for tick FLocalFirst.
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
};
