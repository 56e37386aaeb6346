#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"

#include <cstdint>

// Keeping off the buoys.

// Whether a buoy comes within the clearance of the middle along the heading over the look-ahead (pixels),
// counting from a little behind the middle so that a buoy alongside counts too. Nearer than the clearance
// already, a course that comes no nearer is clear, down to the hull's half length.
bool BuoyAhead(TPointD at, int32_t heading, TPointD buoy, double clearance, double lookAhead, const TSinTable& sin);

// What the heading is checked against.
struct TBuoyWatch {
    TPointD At;               // the middle of the dinghy's stern, which it turns about
    double HalfLength = 0;    // from there to its middle, which is checked on each heading
    int32_t Wind = 360;
    double Clearance = 60;
    double LookAhead = 120;
    bool RoundingMark = false; // the mark is being rounded: it is only ever left to port
    int32_t Side = 0;          // the side it turned to last time (+1 clockwise, -1), tried first again; 0 none
    int32_t Kept = 0;          // the heading it turned to last time, kept while it is clear; 0 none
};

// The wanted heading if no buoy lies ahead on it; else the nearest heading, in turning steps of three degrees
// up to 120 and outside the sector the dinghy cannot sail, that clears every buoy: first on the side that
// passes a line's buoy on the side of the line's middle and the mark the nearer way, then on the other; a
// mark being rounded only ever clockwise (leaving it to port); a heading it turned to before is kept while it
// clears them, else its side is tried first again, and the wanted heading is taken again only once it clears
// them by a margin, so that it does not waver. If none does, straight away
// from the nearest buoy, or as near that as the dinghy sails. side: the side it turned to (0 where it did not).
int32_t HeadingClearOfBuoys(const TBuoyWatch& watch, const TCourse& course, int32_t wanted, const TSinTable& sin,
                            int32_t& side);

// Which way to turn from the heading to the wanted one: +1 clockwise, -1 anticlockwise. The shorter way,
// unless on one of the headings it sweeps (the middle where the hull, turning about its stern, puts it) a buoy
// lies within the clearance and the reach while the other way sweeps past none.
int32_t TurnWay(const TBuoyWatch& watch, int32_t heading, int32_t wanted, const TCourse& course, double reach,
                const TSinTable& sin);
