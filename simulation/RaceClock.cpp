#include "simulation/RaceClock.h"

#include "simulation/Race.h"

uint32_t TRaceClock::MillisecondsOfDay()
{
    constexpr int64_t day = 86400000;
    const int64_t elapsed = FRace.ProcessedTicks() * 50 / 3;
    return static_cast<uint32_t>((FStart + elapsed % day) % day);
}
