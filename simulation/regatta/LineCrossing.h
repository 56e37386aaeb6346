#pragma once
#include "simulation/regatta/Course.h"

// Crossings of the start line (the gate and the finish too) by a point moving straight from one tick's
// position to the next. The line is y = LineLeft.Y from LineLeft.X to LineRight.X, both ends included; the
// course side is strictly above it, so a point exactly on the line has not crossed yet going up.

// From on or below the line to above it, between the buoys.
bool CrossedUpwards(TPointD from, TPointD to, const TCourse& course);
// From above the line to on or below it, between the buoys.
bool CrossedDownwards(TPointD from, TPointD to, const TCourse& course);
