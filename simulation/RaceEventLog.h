#pragma once
#include "simulation/regatta/RaceEvent.h"

#include <array>
#include <cstddef>

// The race's events not yet taken by whoever shows them, oldest first. Fixed in size, so a tick never
// allocates; when nobody takes them for long, the oldest make room for the newest.
class TRaceEventLog {
public:
    static constexpr size_t Capacity = 64;

    void Add(const TRaceEvent& event);
    // The oldest event, removed from the log; false when there is none.
    bool Take(TRaceEvent& event);
    size_t Size() const { return FCount; }
    void Clear() { FFirst = FCount = 0; }

private:
    std::array<TRaceEvent, Capacity> FEvents{};
    size_t FFirst = 0;
    size_t FCount = 0;
};
