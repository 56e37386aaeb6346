#include "network/TickRecords.h"

#include <algorithm>

TTickRecords::TTickRecords(int32_t delay) : FDelay(std::clamp(delay, 0, MaxDelay))
{
    for (int32_t i = 0; i < FDelay; ++i) {
        FLocal.push_back(TTickRecord{});
        ++FMade;
    }
}

void TTickRecords::QueueCommand(const TTickRecord& command)
{
    // A pending pause already stops the race; a second one would pause it again after the resume.
    if (command.Command == TTickRecord::Pause &&
        std::any_of(FCommands.begin(), FCommands.end(), [](const TTickRecord& c) { return c.Command == TTickRecord::Pause; }))
        return;
    FCommands.push_back(command);
}

void TTickRecords::MakeRecord()
{
    TTickRecord record;
    if (!FCommands.empty()) {
        record = FCommands.front();
        FCommands.pop_front();
    }
    record.Tiller = FTiller;
    FLocal.push_back(record);
    ++FMade;
}

void TTickRecords::MakeFor(int64_t tick)
{
    while (FMade < tick + FDelay)
        MakeRecord();
}

const TTickRecord& TTickRecords::Local(int64_t tick) const
{
    return FLocal.at(static_cast<size_t>(tick - FLocalFirst));
}

const TTickRecord* TTickRecords::Remote(int64_t tick) const
{
    if (tick <= FSettled || tick >= FSettled + 1 + Window || !FRemoteHere[Slot(tick)])
        return nullptr;
    return &FRemote[Slot(tick)];
}

TTickRecord TTickRecords::Guess() const
{
    TTickRecord guess;
    guess.Tiller = FLastRemoteTiller;
    return guess;
}

void TTickRecords::Settle(int64_t tick)
{
    for (; FSettled < tick; ++FSettled)
        FRemoteHere[Slot(FSettled + 1)] = false;
    Forget();
}

void TTickRecords::Forget()
{
    while (!FLocal.empty() && FLocalFirst <= FSettled && FLocalFirst <= FConfirmed) {
        FLocal.pop_front();
        ++FLocalFirst;
    }
}

TInputs TTickRecords::Outgoing() const
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

bool TTickRecords::Received(const TInputs& inputs)
{
    // A confirmation past what was made is not from an honest peer.
    if (inputs.ReceivedThrough > FMade)
        return false;
    FConfirmed = std::max<int64_t>(FConfirmed, inputs.ReceivedThrough);
    Forget();
    bool usable = inputs.Count > 0;
    for (size_t i = 0; i < inputs.Count && i < MaxRecordsPerMessage; ++i) {
        const int64_t tick = int64_t{inputs.FirstTick} + static_cast<int64_t>(i);
        if (tick <= FReceivedThrough)
            continue; // here already
        if (tick > FSettled + Window) {
            usable = false;
            continue;
        }
        if (!FRemoteHere[Slot(tick)]) {
            FRemote[Slot(tick)] = inputs.Records[i];
            FRemoteHere[Slot(tick)] = true;
        }
    }
    while (FReceivedThrough < FSettled + Window && FRemoteHere[Slot(FReceivedThrough + 1)])
        FLastRemoteTiller = FRemote[Slot(++FReceivedThrough)].Tiller;
    return usable;
}
