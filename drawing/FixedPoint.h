#pragma once
// 16.16 fixed point and the integer helpers of the drawing library's exact arithmetic.
#include <cstdint>

// Absurd draw parameters can carry fixed-point positions past 64 bits; those are worked out in 128 bits.
__extension__ typedef __int128 Int128;

// A source position: whole pixels in the high bits, a fraction of kFixedOne in the low 16.
constexpr int kFixedShift = 16;
constexpr int64_t kFixedOne = int64_t{1} << kFixedShift;

// Positions and steps below this in magnitude leave room for a step past the last pixel and a sum of two such
// values: spans may then be planned and drawn in 32 bits.
constexpr int64_t kNarrowBound = int64_t{1} << 29;
// The same for 64 bits.
constexpr int64_t kWideBound = int64_t{1} << 60;
// Kept spans are stored in 32-bit coordinates relative to the pivot's pixel; a shape whose box lies within this
// of it leaves room to spare.
constexpr int64_t kKeptBound = int64_t{1} << 30;

constexpr int64_t ToFixed(int64_t whole)
{
    return whole * kFixedOne;
}

constexpr bool IsWholeStep(int64_t step)
{
    return step % kFixedOne == 0;
}

constexpr Int128 Magnitude(Int128 value)
{
    return value < 0 ? -value : value;
}

// floor(a / d) for d > 0.
template <typename Int>
constexpr Int FloorDivide(Int a, Int d)
{
    const Int q = a / d;
    return q * d > a ? q - 1 : q;
}
