#pragma once
#include "platform/Clock.h"

#include <cstdint>

// A clock that moves only when told to, for tests and for driving the race without real time.
class TManualClock : public IClock {
public:
    static constexpr uint32_t MillisecondsPerDay = 86400000;

    explicit TManualClock(uint32_t milliseconds = 0, uint32_t millisecondsOfDay = 0);

    uint32_t Milliseconds() override { return FMilliseconds; }
    uint32_t MillisecondsOfDay() override { return FMillisecondsOfDay; }

    void SetMilliseconds(uint32_t value) { FMilliseconds = value; }
    // Taken modulo one day.
    void SetMillisecondsOfDay(uint32_t value) { FMillisecondsOfDay = value % MillisecondsPerDay; }
    // Moves both readings on: the counter wraps modulo 2^32, the time of day past midnight.
    void Advance(uint32_t milliseconds);

private:
    uint32_t FMilliseconds;
    uint32_t FMillisecondsOfDay;
};
