#pragma once
#include "drawing/Rect.h"
#include "drawing/Surface.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

// The software span renderer behind rotated drawing. It copies one horizontal span of destination pixels per
// request, stepping through the source in 16.16 fixed point. The span loop for keyed or unkeyed drawing is
// chosen once per draw, when the key mode is set.
class TDXRMachine {
public:
    void SetDestination(uint32_t* bits, std::ptrdiff_t pitchPixels);
    void SetSource(const uint32_t* bits, std::ptrdiff_t pitchPixels);
    // Keyed drawing skips source pixels whose 24 colour bits equal the key's and writes the top byte as 0.
    void SetColorKey(bool enabled, uint32_t key);
    // Steps per destination pixel. Narrow promises that every source position of the draw, and every step,
    // stays below 2^29 in magnitude, so the span loops may count in 32 bits.
    void SetSteps(int64_t du, int64_t dv, bool narrow);
    // The next span starts at destination pixel (x, y) with source position (u, v).
    void SetPosition(int32_t x, int32_t y, int64_t u, int64_t v);
    // Draws n pixels. Every source position visited must lie inside the source.
    void RenderSpan(int32_t n) { FSpan(*this, n); }

private:
    using SpanFunction = void (*)(const TDXRMachine&, int32_t);
    // Any steps: the source position is tracked in fixed point. ReadAhead allows fetching a few pixels before
    // storing them, which source and destination in one surface forbid.
    template <bool Keyed, typename Position, bool ReadAhead>
    static void Span(const TDXRMachine& m, int32_t n);
    // Whole-pixel steps (the fractions never change): the source is walked with a pointer.
    template <bool Keyed>
    static void StepSpan(const TDXRMachine& m, int32_t n);
    void ChooseSpan();

    uint32_t* FDst = nullptr;
    std::ptrdiff_t FDstPitch = 0;
    const uint32_t* FSrc = nullptr;
    std::ptrdiff_t FSrcPitch = 0;
    int64_t FU = 0;
    int64_t FV = 0;
    int64_t FDU = 0;
    int64_t FDV = 0;
    std::ptrdiff_t FStride = 0;
    uint32_t FKey = 0;
    bool FKeyed = false;
    bool FNarrow = false;
    int32_t FX = 0;
    int32_t FY = 0;
    SpanFunction FSpan = &Span<false, int64_t, false>;
};

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

// The one renderer, created on first use.
TDXRMachine& DXRMachine();

// Draws srcRect of the locked source into the locked destination, w x h large, its point (w * pivotX,
// h * pivotY) on (x, y), turned clockwise by angle (256 units to a full turn). Draws nothing for a srcRect
// that leaves the source, for w or h of 0, or where the picture cannot reach the destination. Returns the
// destination rectangle that holds every pixel drawn (empty when nothing was drawn).
TRect RenderRotated(const TLockedPixels& dst, const TLockedPixels& src, int32_t x, int32_t y, int32_t w, int32_t h,
                   const TRect& srcRect, double pivotX, double pivotY, bool transparent, uint32_t key,
                   int32_t angle);
