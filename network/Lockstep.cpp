#include "network/Lockstep.h"

#include <algorithm>

TLockstep::TLockstep(int32_t delay) : FDelay(std::clamp(delay, MinDelay, MaxDelay))
{
    for (int32_t i = 0; i < FDelay; ++i) {
        FLocal.push_back(TTickRecord{});
        ++FMade;
    }
}

void TLockstep::GrowDelay(int32_t delay)
{
    FDelay = std::max(FDelay, std::min(delay, MaxDelay));
    while (FMade < FNext - 1 + FDelay)
        MakeRecord();
}

void TLockstep::QueueCommand(const TTickRecord& command)
{
    // A pending pause already stops the race; a second one would pause it again after the resume.
    if (command.Command == TTickRecord::Pause &&
        std::any_of(FCommands.begin(), FCommands.end(), [](const TTickRecord& c) { return c.Command == TTickRecord::Pause; }))
        return;
    FCommands.push_back(command);
}

bool TLockstep::Ready() const
{
    return FRemoteHere[static_cast<size_t>(FNext % Window)];
}

void TLockstep::MakeRecord()
{
    TTickRecord record;
    record.Tiller = FTiller;
    if (!FCommands.empty()) {
        record = FCommands.front();
        record.Tiller = FTiller;
        FCommands.pop_front();
    }
    FLocal.push_back(record);
    ++FMade;
}

TLockstep::TTick TLockstep::Take()
{
    const size_t slot = static_cast<size_t>(FNext % Window);
    TTick tick;
    tick.Remote = FRemote[slot];
    FRemoteHere[slot] = false;
    tick.Local = FLocal[static_cast<size_t>(FNext - FLocalFirst)];
    ++FNext;
    while (FMade < FNext - 1 + FDelay)
        MakeRecord();
    Forget();
    return tick;
}

void TLockstep::Forget()
{
    while (!FLocal.empty() && FLocalFirst < FNext && FLocalFirst <= FConfirmed) {
        FLocal.pop_front();
        ++FLocalFirst;
    }
}

TInputs TLockstep::Outgoing() const
{
    TInputs out;
    out.ReceivedThrough = static_cast<uint32_t>(FReceivedThrough);
    const int64_t first = std::max(FConfirmed + 1, FLocalFirst);
    out.FirstTick = static_cast<uint32_t>(first);
    const int64_t available = FMade - first + 1;
    out.Count = static_cast<uint8_t>(std::clamp<int64_t>(available, 0, MaxRecordsPerMessage));
    for (size_t i = 0; i < out.Count; ++i)
        out.Records[i] = FLocal[static_cast<size_t>(first - FLocalFirst) + i];
    return out;
}

bool TLockstep::Received(const TInputs& inputs)
{
    // A confirmation past what was made is not from an honest peer.
    if (inputs.ReceivedThrough > FMade)
        return false;
    FConfirmed = std::max<int64_t>(FConfirmed, inputs.ReceivedThrough);
    Forget();
    bool usable = inputs.Count > 0;
    for (size_t i = 0; i < inputs.Count && i < MaxRecordsPerMessage; ++i) {
        const int64_t tick = int64_t{inputs.FirstTick} + static_cast<int64_t>(i);
        if (tick < FNext)
            continue; // already run
        if (tick >= FNext + Window) {
            usable = false;
            continue;
        }
        const size_t slot = static_cast<size_t>(tick % Window);
        if (!FRemoteHere[slot]) {
            FRemote[slot] = inputs.Records[i];
            FRemoteHere[slot] = true;
        }
    }
    while (FReceivedThrough + 1 < FNext + Window &&
           (FReceivedThrough + 1 < FNext || FRemoteHere[static_cast<size_t>((FReceivedThrough + 1) % Window)]))
        ++FReceivedThrough;
    return usable;
}
