#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"

#include <cstdint>

// Directions for a computer helm, in whole degrees as headings are (1..360, 360 up the frame, clockwise),
// worked out from the sine table.

// The unit vector along a heading on the frame (y down).
TPointD HeadingVector(int32_t heading, const TSinTable& sin);

// The heading from one point towards another, to the nearest degree; 360 for the same point.
int32_t BearingOf(TPointD from, TPointD to, const TSinTable& sin);

// The heading turned by degrees (either sign), in 1..360.
int32_t TurnedBy(int32_t heading, int32_t degrees);

// The wind's angle clockwise from the heading, 0..359, as the race works it out.
int32_t RelativeWind(int32_t windDirection, int32_t heading);

// The fewest degrees off the wind a helm chooses to sail when it picks a heading of its own: outside the
// no-go sector by half the largest turning step, since the dinghy settles within half a step of it.
constexpr int32_t SailableOffWind = 32;

// Whether the heading is at least SailableOffWind off the wind.
bool Sailable(int32_t windDirection, int32_t heading);

inline double Dot(TPointD a, TPointD b)
{
    return a.X * b.X + a.Y * b.Y;
}
// Positive when b points to the right of a (clockwise on the frame).
inline double Cross(TPointD a, TPointD b)
{
    return a.X * b.Y - a.Y * b.X;
}
inline TPointD Minus(TPointD a, TPointD b)
{
    return {a.X - b.X, a.Y - b.Y};
}
inline TPointD Plus(TPointD a, TPointD b)
{
    return {a.X + b.X, a.Y + b.Y};
}
inline TPointD Scaled(TPointD a, double f)
{
    return {a.X * f, a.Y * f};
}
inline double SquaredLength(TPointD a)
{
    return Dot(a, a);
}
