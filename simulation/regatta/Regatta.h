#pragma once
#include "simulation/regatta/ContactRules.h"
#include "simulation/regatta/Course.h"
#include "simulation/regatta/DinghyView.h"
#include "simulation/regatta/RegattaSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

class TRaceEventLog;

// What the referee is told after each processed tick: the dinghies as they now are, the wind, and which
// contacts the tick's frame showed.
struct TRegattaTick {
    std::array<TDinghyView, 2> Dinghies{};
    TPointD Upwind{0, -1};
    bool DinghyContact = false;
    std::array<bool, 2> BuoyContact{};
};

enum class TRegattaPhase : uint8_t { Countdown, Racing, Over };

// Where a dinghy stands in the regatta.
enum class TStanding : uint8_t {
    Waiting,  // not yet started: before the signal, or after it until it crosses the line
    Early,    // on the course side at the signal; must return below the line (all of its hull) to start
    Racing,   // started, sailing its laps
    Finished, // crossed the finish with no penalty owed
    Out,      // exploded (classic rules)
};

// One dinghy's regatta so far.
struct TDinghyRegatta {
    TStanding Standing = TStanding::Waiting;
    int32_t Lap = 0;          // the lap being sailed, 1.., once started
    bool MarkRounded = false; // this lap's mark is rounded; the gate is next
    int32_t Winding = 0;      // thirds of a turn around the mark this lap, anticlockwise on the screen positive
    int32_t TurnsOwed = 0;
    int32_t TurnDegrees = 0;  // of the penalty turn under way, signed: positive clockwise
    int32_t Penalties = 0;    // penalties given so far
    int32_t TurnsTaken = 0;
    int32_t Place = 0;        // 1 or 2 once finished
    int32_t FinishTicks = 0;  // from the start signal
    std::array<int32_t, TRegattaSettings::MaxLaps> LapTicks{};
    int32_t LapsDone = 0;
    int32_t LapBegan = 0;     // ticks from the start signal when the lap under way began
    // The last tick's view, to find crossings and turns; and whether a contact was already under way.
    TDinghyView Last{};
    bool Seen = false;
    bool TouchingDinghy = false;
    bool TouchingBuoy = false;
};

// The referee of a regatta: counts down to the start, finds who is early, who started, the roundings, the
// gates, the finish, judges contacts and counts penalty turns. Everything it knows comes from the ticks it is
// told; it allocates nothing.
class TRegatta {
public:
    // Fifteen seconds of sixty processed ticks before the start signal.
    static constexpr int32_t CountdownTicks = 900;

    TRegatta(const TRegattaSettings& settings, const TCourse& course);

    // One processed tick of the race (raceTick is the race's count, stamped on the events).
    void Tick(const TRegattaTick& tick, int64_t raceTick, TRaceEventLog& events);

    const TRegattaSettings& Settings() const { return FSettings; }
    const TCourse& Course() const { return FCourse; }
    TRegattaPhase Phase() const { return FPhase; }
    // Ticks told so far.
    int32_t Ticks() const { return FTicks; }
    // Ticks since the start signal; negative before it (-900 on the first tick).
    int32_t TicksSinceStart() const { return FTicks - 1 - CountdownTicks; }
    const TDinghyRegatta& Dinghy(size_t index) const { return FDinghies[index]; }
    // The dinghies that have finished so far.
    int32_t Finishers() const { return FFinishers; }

private:
    TRegattaSettings FSettings;
    TCourse FCourse;
    TRegattaPhase FPhase = TRegattaPhase::Countdown;
    int32_t FTicks = 0;
    int32_t FFinishers = 0;
    std::array<TDinghyRegatta, 2> FDinghies{};
};
