#pragma once
#include "simulation/regatta/RaceEvent.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

// The race's events not yet taken by whoever shows them, oldest first. Fixed in size, so a tick never
// allocates; when nobody takes them for long, the oldest make room for the newest.
class TRaceEventLog {
public:
    static constexpr size_t Capacity = 64;

    void Add(const TRaceEvent& event);
    // The oldest event, removed from the log; false when there is none that may be taken yet.
    bool Take(TRaceEvent& event);
    size_t Size() const { return FCount; }
    void Clear() { FFirst = FCount = 0; }

    // Events of later ticks stay in the log until this moves past them: an online race's ticks run on a
    // guess of the other player's tiller are heard and shown only once the guess is confirmed.
    void HoldAfter(int64_t tick) { FTakeableThrough = tick; }
    void HoldNothing() { FTakeableThrough = std::numeric_limits<int64_t>::max(); }
    // Forgets the events of the ticks after this one (they are being run again).
    void DropAfter(int64_t tick);

private:
    std::array<TRaceEvent, Capacity> FEvents{};
    size_t FFirst = 0;
    size_t FCount = 0;
    int64_t FTakeableThrough = std::numeric_limits<int64_t>::max();
};
