#pragma once
#include "platform/Clock.h"

#include <cstdint>

class TRace;

// The time both machines of an online race agree on: the host's time of day when the race began, moved on
// 1/60 s with every processed tick. The wind reseeds from it, so its draws are the same on both.
class TRaceClock : public IClock {
public:
    TRaceClock(const TRace& race, uint32_t startTimeOfDay) : FRace(race), FStart(startTimeOfDay) {}

    uint32_t Milliseconds() override { return MillisecondsOfDay(); }
    uint32_t MillisecondsOfDay() override;

private:
    const TRace& FRace;
    uint32_t FStart;
};
