#pragma once
#include <cstdint>

// Time as the core sees it.
class IClock {
public:
    virtual ~IClock() = default;
    // A 32-bit millisecond counter; it wraps after about 49.7 days, so callers subtract modulo 2^32.
    virtual uint32_t Milliseconds() = 0;
    // Milliseconds since midnight UTC: ((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds.
    virtual uint32_t MillisecondsOfDay() = 0;
};
