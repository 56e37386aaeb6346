#include "platform/ManualClock.h"

TManualClock::TManualClock(uint32_t milliseconds, uint32_t millisecondsOfDay)
    : FMilliseconds(milliseconds), FMillisecondsOfDay(millisecondsOfDay % MillisecondsPerDay)
{
}

void TManualClock::Advance(uint32_t milliseconds)
{
    FMilliseconds += milliseconds;
    const uint64_t ofDay = uint64_t{FMillisecondsOfDay} + milliseconds;
    FMillisecondsOfDay = static_cast<uint32_t>(ofDay % MillisecondsPerDay);
}
