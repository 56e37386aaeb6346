#include "simulation/Random.h"

#include "platform/Clock.h"

uint32_t RandSeed = 0;

void Randomize(IClock& clock)
{
    RandSeed = clock.MillisecondsOfDay();
}

uint32_t Random(uint32_t n)
{
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * n) >> 32);
}
