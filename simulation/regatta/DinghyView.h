#pragma once
#include "simulation/regatta/Course.h"

#include <cstdint>

class TQuibo;
class TRace;

// What the referee sees of a dinghy after a tick: where its hull is and how it sails.
struct TDinghyView {
    TPointD Stern;   // the middle of the stern (the sprite's X, Y)
    TPointD Bow;     // the hull's foremost point, a hull's length along the heading
    double Top = 0;    // the smallest y of the hull's outline (its four corners)
    double Bottom = 0; // the largest
    int32_t Heading = 360;
    int32_t RelativeWind = 0; // the wind's angle clockwise from the heading, 0..359
    bool Crashed = false;

    TPointD Middle() const { return {(Stern.X + Bow.X) / 2, (Stern.Y + Bow.Y) / 2}; }
};

// The view of a dinghy of the race, from the race's sine table (no trigonometry per tick).
TDinghyView ViewOf(const TQuibo& dinghy, const TRace& race);
// The unit vector pointing where the wind comes from, on the frame.
TPointD Upwind(const TRace& race);
