#pragma once
#include <cmath>
#include <cstdint>

// Round half to even, as every rounding of positions and angles in the race does. Relies on the default
// floating-point rounding mode (to nearest, ties to even), which the program never changes.
inline int32_t RoundHalfEven(double value)
{
    return static_cast<int32_t>(std::lrint(value));
}

// Degrees to drawing angle units (256 to the turn).
inline int32_t DegreesToAngleUnits(int32_t degrees)
{
    return RoundHalfEven(degrees / 1.40625);
}

// Any whole number of degrees into 1..360 (north 360, never 0). Headings are kept in 1..360 by the frame step;
// folding keeps a stray value from reading off the sine table.
inline int32_t FoldDegrees(int32_t degrees)
{
    return static_cast<int32_t>(((int64_t{degrees} - 1) % 360 + 360) % 360 + 1);
}
