#pragma once
#include <cstdint>

// The racing rules a penalty is given under.
enum class TRule : uint8_t {
    None = 0,
    PortStarboard = 10, // on opposite tacks the port-tack dinghy keeps clear
    Windward = 11,      // on the same tack and overlapped the windward dinghy keeps clear
    ClearAstern = 12,   // on the same tack and not overlapped the one clear astern keeps clear
    Tacking = 13,       // a dinghy tacking keeps clear of one that is not (both tacking: both)
    Mark = 31,          // a dinghy touching a buoy
};

// Something the race tells whoever shows it (the status bar, the sounds, the replay tool), on the tick it
// happens. Dinghy is 0 for green, 1 for red, -1 where none is meant.
struct TRaceEvent {
    enum TKind : uint8_t {
        Countdown, // Value: the seconds left (15, 10, 5, 4, 3, 2, 1)
        Start,     // the start signal
        Early,     // the dinghy was on the course side at the signal
        Started,   // the dinghy crossed the line upwards between the buoys after the signal
        Rounded,   // Value: the lap whose mark the dinghy rounded
        Lap,       // Value: the lap completed through the gate; Ticks: the lap's time
        Penalty,   // Value: the turns owed for it; Rule: the rule broken
        Cleared,   // the dinghy has taken every penalty turn it owed
        Out,       // the dinghy exploded in a regatta with the classic rules
        Finished,  // Value: the place; Ticks: the time from the start signal
        Over,      // both dinghies have finished or are out
        Exploded,  // a dinghy exploded (free sailing and classic regattas alike)
    };
    TKind Kind = Countdown;
    int8_t Dinghy = -1;
    TRule Rule = TRule::None;
    int32_t Value = 0;
    int32_t Ticks = 0;
    // The processed tick (of the race, counted from its creation) it happened on.
    int64_t Tick = 0;
};
