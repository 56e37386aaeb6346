#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"
#include "simulation/regatta/Tack.h"

#include <cstdint>

// The tack a helm holds while it cannot sail straight for its aim, and for how many ticks it has held it.
struct TTackPlan {
    TTack Tack = TTack::Starboard; // Starboard or Port, never Tacking
    int32_t TicksOnTack = 0;
};

// A leg sailed for an aim point.
struct TLeg {
    TPointD At;            // the dinghy's middle
    TPointD Aim;
    int32_t Wind = 360;    // where the wind blows from now
    int32_t WindShift = 0; // the wind now against its mean, degrees, positive clockwise
};

struct TBeatRules {
    int32_t CloseHauled = 40;
    double Corridor = 150;
    int32_t MinTackTicks = 80;
    int32_t HeaderDegrees = 0; // 0: shifts are not sailed
    int32_t Spread = 0;        // degrees either side of an aim it can fetch that it sails for more speed; 0: none
    bool MayTack = true;       // false: only on the layline (another dinghy close by)
};

// The heading to steer for the aim. Outside the sector a dinghy cannot sail (the aim at least CloseHauled
// off the wind) for it, on the tack that makes: straight, or with a spread the heading within it that makes
// good the most towards the aim at the speeds the wind's angle gives; inside it close-hauled on the planned tack, which is
// changed (at most once per MinTackTicks) when the dinghy leaves the corridor along the wind through the aim,
// when a header of HeaderDegrees comes while the other tack keeps it within half the corridor, or when the
// frame's edge lies ahead; unless it may not tack, then only on the layline. The plan is updated.
int32_t CourseTo(const TLeg& leg, const TBeatRules& rules, TTackPlan& plan, const TSinTable& sin);

// The close-hauled heading on a tack: the wind CloseHauled degrees over starboard or over port.
int32_t CloseHauledHeading(int32_t wind, TTack tack, int32_t closeHauled);
