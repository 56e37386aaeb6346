#pragma once
#include "drawing/Rect.h"
#include "drawing/Surface.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

// One span of a draw: Count destination pixels from (X, Y) on, the first of them from source position (U, V)
// in 16.16 fixed point.
struct TSpanRun {
    int64_t U;
    int64_t V;
    int32_t X;
    int32_t Y;
    int32_t Count;
};

// Added to every run of a list: a shape's runs are kept relative to where it is drawn and the source rectangle.
struct TRunOrigin {
    int32_t X;
    int32_t Y;
    int64_t U;
    int64_t V;
};

// The software span renderer behind rotated drawing. It copies horizontal spans of destination pixels, stepping
// through the source in 16.16 fixed point. The span loop for keyed or unkeyed drawing is chosen once per draw,
// when the key mode and steps are set.
class TDXRMachine {
public:
    void SetDestination(uint32_t* bits, std::ptrdiff_t pitchPixels);
    void SetSource(const uint32_t* bits, std::ptrdiff_t pitchPixels);
    // Keyed drawing skips source pixels whose 24 colour bits equal the key's and writes the top byte as 0.
    void SetColorKey(bool enabled, uint32_t key);
    // Steps per destination pixel. Narrow promises that every source position of the draw, and every step,
    // stays below 2^29 in magnitude, so the span loops may count in 32 bits.
    void SetSteps(int64_t du, int64_t dv, bool narrow);
    // Draws the runs, each moved by the origin. Every source position visited must lie inside the source.
    void RenderSpans(const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
    {
        FSpans(*this, runs, count, origin);
    }

private:
    using SpansFunction = void (*)(const TDXRMachine&, const TSpanRun*, int32_t, const TRunOrigin&);
    // Any steps: the source position is tracked in fixed point. ReadAhead allows fetching a few pixels before
    // storing them, which source and destination in one surface forbid.
    template <bool Keyed, typename Position, bool ReadAhead>
    static void Spans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin);
    // Whole-pixel steps (the fractions never change): the source is walked with a pointer.
    template <bool Keyed>
    static void StepSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin);
#if defined(__x86_64__) && defined(__GNUC__)
    // The same, keyed and from another surface, eight pixels at a time where the processor has AVX2.
    static void GatherSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin);
    static void KeyedRowSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin);
#endif
    void ChooseSpan();

    uint32_t* FDst = nullptr;
    std::ptrdiff_t FDstPitch = 0;
    const uint32_t* FSrc = nullptr;
    std::ptrdiff_t FSrcPitch = 0;
    int64_t FDU = 0;
    int64_t FDV = 0;
    std::ptrdiff_t FStride = 0;
    uint32_t FKey = 0;
    bool FKeyed = false;
    bool FNarrow = false;
    SpansFunction FSpans = &Spans<false, int64_t, false>;
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
