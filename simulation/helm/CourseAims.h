#pragma once
#include "simulation/regatta/Course.h"

#include <cstdint>

// Where a computer helm aims on each leg of the course.

// Rounding the mark to port, from where the dinghy's middle is: below the mark a point off its east side a
// little above it, so the dinghy goes up that side (from its west side first a point under it where the way
// there would pass over the mark or near it);
// above it and east of it a point over the top a little to the west; above it and west of it a point off its
// west side a little below it. Each is crossed over before it is reached, so the aim moves on round the mark
// anticlockwise on the screen.
TPointD RoundingAim(TPointD at, TPointD mark, double radius);

// Crossing the line between its buoys: a point the distance beyond it on the other side from the bow, its x
// the dinghy's held at least margin inside the buoys.
TPointD LineAim(TPointD at, TPointD bow, const TCourse& course, double distance, double margin);

// A point the distance below the line, x as for LineAim: where a dinghy over the line early goes back to.
TPointD BelowLine(TPointD at, const TCourse& course, double distance, double margin);

// Where a dinghy that has finished waits out of the other's way: below the line, beyond its own end of it
// (green right, red left).
TPointD Berth(const TCourse& course, int32_t dinghy);

// The point on the line a dinghy starts from: green near the right end, red near the left.
TPointD StartPoint(const TCourse& course, int32_t dinghy, double margin);
