#include "platform/SystemClock.h"

#include <chrono>

uint32_t TSystemClock::Milliseconds()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

uint32_t TSystemClock::MillisecondsOfDay()
{
    using namespace std::chrono;
    // Unix time counts no leap seconds, so the remainder of a day is the UTC time of day.
    constexpr int64_t msPerDay = 24 * 60 * 60 * 1000;
    const int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(((ms % msPerDay) + msPerDay) % msPerDay);
}
