#pragma once
// Truncation toward zero of extended-precision values, as the placement of a rotated draw needs it. Internal to
// the drawing library (and its tests).
#include <cstdint>
#include <cstring>
#include <limits>

// trunc(value) for |value| < 2^61: the integer read out of the extended-precision sum with a large constant.
inline int64_t TruncateBySum(long double value)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        const long double shifted = value + 0x1.8p63L;
        uint64_t mantissa = 0;
        std::memcpy(&mantissa, &shifted, sizeof mantissa);
        int64_t nearest = static_cast<int64_t>(mantissa - 0xC000000000000000u);
        const auto back = static_cast<long double>(nearest);
        if (value >= 0 && back > value)
            --nearest;
        else if (value < 0 && back < value)
            ++nearest;
        return nearest;
    } else {
        return static_cast<int64_t>(value);
    }
}

// trunc(value) for |value| < 2^61, without the slow change of the x87 rounding mode that a plain conversion
// makes: the truncating store of SSE3 where the processor has it, else TruncateBySum.
inline int64_t TruncateExtended(long double value)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        static const bool truncatingStore = __builtin_cpu_supports("sse3");
        if (truncatingStore) {
            int64_t result;
            __asm__("fisttpll %0" : "=m"(result) : "t"(value) : "st");
            return result;
        }
    }
#endif
    return TruncateBySum(value);
}
