#pragma once
#include "platform/Clock.h"

// The running system's clocks without a window system, for tools: a monotonic millisecond counter and the
// UTC time of day.
class TSystemClock : public IClock {
public:
    uint32_t Milliseconds() override;
    uint32_t MillisecondsOfDay() override;
};
