#pragma once
#include "platform/Clock.h"

// The clocks of the running system: a monotonic millisecond counter and the UTC time of day.
class TQtClock : public IClock {
public:
    // Milliseconds of the monotonic clock, truncated to 32 bits like a system tick counter.
    uint32_t Milliseconds() override;
    uint32_t MillisecondsOfDay() override;
};
