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
    if (FCount == 0)
        return false;
    event = FEvents[FFirst];
    FFirst = (FFirst + 1) % Capacity;
    --FCount;
    return true;
}
