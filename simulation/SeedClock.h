#pragma once
#include "platform/Clock.h"

// The clock the race reseeds its random generator from when the wind draws a new target: the session's own
// clock, unless a driver hands it another (an online race reseeds both machines from one shared race time).
class TSeedClock : public IClock {
public:
    explicit TSeedClock(IClock& own) : FOwn(own), FSource(&own) {}
    // The source must outlive its use, or be given back with UseOwn.
    void SetSource(IClock& source) { FSource = &source; }
    void UseOwn() { FSource = &FOwn; }

    uint32_t Milliseconds() override { return FSource->Milliseconds(); }
    uint32_t MillisecondsOfDay() override { return FSource->MillisecondsOfDay(); }

private:
    IClock& FOwn;
    IClock* FSource;
};
