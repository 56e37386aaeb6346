#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Conversions that hold far-off values at the end of the range instead of overflowing: a sprite may sail
// arbitrarily far, and its rectangles and frame counters must still be well defined.

// Truncates toward zero into Int's range; out-of-range values saturate and NaN gives 0.
template <class Int>
Int TruncSaturating(double value)
{
    if (std::isnan(value))
        return 0;
    // -min is a power of two, so it is exact as a double, unlike max.
    constexpr double limit = -static_cast<double>(std::numeric_limits<Int>::min());
    if (value >= limit)
        return std::numeric_limits<Int>::max();
    if (value < -limit)
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(value);
}

inline int32_t SaturateToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
