#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"

#include <cstdint>

// Looking ahead at a dinghy's run to the start line, the way the frame step will move it, to know when to go.

// How a dinghy moves now.
struct TRunState {
    TPointD Stern;
    int32_t Heading = 360;
    double Speed = 0;
};

// What the run depends on besides the dinghy: the wind (held as it is now), the hull and the line.
struct TRunConditions {
    int32_t Wind = 360;
    int32_t WindSpeed = 15;
    double Length = 57;
    double Beam = 30;
    double LineY = 0;
};

// What the dinghy steers for: a course for so many ticks, then another.
struct TRunPlan {
    int32_t Course = 360;
    int32_t Ticks = 1 << 30;
    int32_t Then = 360;
};

// Ticks until part of the hull is first over the line (its top above LineY) steering by the plan from the
// next tick on, which is tick 1; limit if not within limit ticks.
int32_t TicksToLine(TRunState run, const TRunPlan& plan, const TRunConditions& conditions, int32_t limit,
                    const TSinTable& sin);
