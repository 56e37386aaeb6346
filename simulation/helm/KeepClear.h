#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"
#include "simulation/regatta/DinghyView.h"

#include <cstdint>

// Keeping clear of the other dinghy.

// When two points moving steadily come nearest from now on (ticks, 0 when they are already parting) and how
// far apart they are then.
struct TApproach {
    double Ticks = 0;
    double Distance = 0;
};
TApproach ClosestApproach(TPointD a, TPointD aVelocity, TPointD b, TPointD bVelocity);

// Whether the dinghy must keep clear of the other by the racing rules (10 to 13): whom the referee would
// penalise if they touched now.
bool MustKeepClear(const TDinghyView& self, const TDinghyView& other, TPointD upwind);

// The two dinghies as a helm sees them, for trying headings against.
struct TTraffic {
    TPointD Self;         // middles
    double SelfSpeed = 0;
    TPointD Other;
    TPointD OtherVelocity;
    int32_t Wind = 360;
    int32_t WindSpeed = 15;
};

// How near the middles come within the look-ahead sailing the heading (at the speed between the present one
// and the one it gives), the other holding its course and speed.
double PassingDistance(const TTraffic& traffic, int32_t heading, int32_t lookAhead, const TSinTable& sin);

// Whether that is nearer than the clearance.
bool OnCollisionCourse(const TTraffic& traffic, int32_t heading, double clearance, int32_t lookAhead,
                       const TSinTable& sin);

// The heading nearest the wanted one, in steps of five degrees bearing away up to 120, then up to 30 the other
// way (never through the wind), outside the sector the dinghy cannot sail, that keeps the clearance; of none,
// the one that passes widest.
int32_t HeadingClearOf(const TTraffic& traffic, int32_t wanted, double clearance, int32_t lookAhead,
                       const TSinTable& sin);
