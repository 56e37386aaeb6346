#pragma once
#include "simulation/regatta/Course.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Rounding the mark to port is counted in thirds of a turn about it, on three rays from its middle: east
// (along its horizontal, x > mark), north (up its vertical, y < mark) and west (along its horizontal, x < mark).
// Crossing east upwards, north westwards or west downwards is a third anticlockwise on the screen (+1); the
// reverse crossings are -1; the ray south is not counted, so a lap's round starts and ends below the mark.
// A point exactly on a ray counts as below it (y == mark) or east of it (x == mark), so that touching a ray
// and going on is one crossing, and touching it and turning back none.

// The thirds a straight move makes, in the order it crosses the rays (at most two: one horizontal, one
// vertical crossing).
struct TMarkSteps {
    std::array<int8_t, 2> Steps{};
    int32_t Count = 0;
};

TMarkSteps MarkSteps(TPointD from, TPointD to, TPointD mark);
