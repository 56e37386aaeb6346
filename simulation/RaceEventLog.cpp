#include "simulation/RaceEventLog.h"

void TRaceEventLog::Add(const TRaceEvent& event)
{
    if (FCount == Capacity) {
        FFirst = (FFirst + 1) % Capacity;
        --FCount;
    }
    FEvents[(FFirst + FCount) % Capacity] = event;
    ++FCount;
}

bool TRaceEventLog::Take(TRaceEvent& event)
{
    if (FCount == 0 || FEvents[FFirst].Tick > FTakeableThrough)
        return false;
    event = FEvents[FFirst];
    FFirst = (FFirst + 1) % Capacity;
    --FCount;
    return true;
}

void TRaceEventLog::DropAfter(int64_t tick)
{
    while (FCount > 0 && FEvents[(FFirst + FCount - 1) % Capacity].Tick > tick)
        --FCount;
}
