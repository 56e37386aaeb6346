#pragma once
// What every span kernel is made of: where a run starts and what it covers, how one pixel is stored, and the
// loops over a draw's runs that the kernels fill with their own inner work.
#include "drawing/rotated/SpanKernels.h"

#include <algorithm>
#include <limits>
#include <type_traits>

constexpr uint32_t kColourBits = 0xFFFFFFu;

// The bounding rectangle of the spans a kernel drew.
class TWrittenArea {
public:
    void Add(int32_t x, int32_t y, int32_t count)
    {
        if (count <= 0)
            return;
        FLeft = std::min(FLeft, x);
        FRight = std::max(FRight, x + count);
        FTop = std::min(FTop, y);
        FBottom = std::max(FBottom, y + 1);
    }
    void Add(const TRect& rect)
    {
        if (rect.Empty())
            return;
        FLeft = std::min(FLeft, rect.Left);
        FRight = std::max(FRight, rect.Right);
        FTop = std::min(FTop, rect.Top);
        FBottom = std::max(FBottom, rect.Bottom);
    }
    TRect Rect() const { return FLeft < FRight ? TRect{FLeft, FTop, FRight, FBottom} : TRect{}; }

    // The destination pixel of the run's first pixel; the run is counted as drawn.
    uint32_t* Start(const TSpanJob& job, const TSpanRun& run, const TRunOrigin& origin)
    {
        const int32_t x = run.X + origin.X;
        const int32_t y = run.Y + origin.Y;
        Add(x, y, run.Count);
        return job.Dst + static_cast<std::ptrdiff_t>(y) * job.DstPitch + x;
    }

private:
    int32_t FLeft = std::numeric_limits<int32_t>::max();
    int32_t FRight = std::numeric_limits<int32_t>::min();
    int32_t FTop = std::numeric_limits<int32_t>::max();
    int32_t FBottom = std::numeric_limits<int32_t>::min();
};

template <bool Keyed>
inline void StorePixel(uint32_t* dst, uint32_t pixel, uint32_t key)
{
    if constexpr (Keyed) {
        const uint32_t colour = pixel & kColourBits;
        if (colour != key)
            *dst = colour;
    } else {
        *dst = pixel;
    }
}

// The source pixel of the run's first pixel.
inline const uint32_t* RunSource(const TSpanJob& job, const TSpanRun& run, const TRunOrigin& origin)
{
    return job.Src + static_cast<std::ptrdiff_t>((run.V + origin.V) >> kFixedShift) * job.SrcPitch +
           static_cast<std::ptrdiff_t>((run.U + origin.U) >> kFixedShift);
}

// Runs with any steps, the source position tracked in Position (int32_t for narrow draws). Block(dst, n, fetch)
// may store the first pixels of a span a few at a time and returns how many it stored; the rest are stored one
// by one, each fetched after the stores before it.
template <bool Keyed, typename Position, typename Block>
TRect SteppedRuns(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin, Block block)
{
    // Narrow draws come with a pitch small enough that a source index fits 32 bits as well.
    using Index = std::conditional_t<std::is_same_v<Position, int32_t>, int32_t, std::ptrdiff_t>;
    const uint32_t* src = job.Src;
    const auto pitch = static_cast<Index>(job.SrcPitch);
    const auto du = static_cast<Position>(job.DU);
    const auto dv = static_cast<Position>(job.DV);
    const uint32_t key = job.Key;
    TWrittenArea written;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = written.Start(job, run, origin);
        auto u = static_cast<Position>(run.U + origin.U);
        auto v = static_cast<Position>(run.V + origin.V);
        const auto fetch = [&] {
            const uint32_t pixel =
                src[static_cast<Index>(v >> kFixedShift) * pitch + static_cast<Index>(u >> kFixedShift)];
            u += du;
            v += dv;
            return pixel;
        };
        const int32_t n = run.Count;
        for (int32_t k = block(dst, n, fetch); k < n; ++k)
            StorePixel<Keyed>(dst + k, fetch(), key);
    }
    return written.Rect();
}

// The block of a loop that stores every pixel one by one.
struct TNoBlocks {
    template <typename Fetch>
    int32_t operator()(uint32_t*, int32_t, const Fetch&) const
    {
        return 0;
    }
};

// Runs of whole steps one pixel to the right, each a piece of a source row: Row(dst, src, n) copies it.
template <typename Row>
TRect RowRuns(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin, Row row)
{
    TWrittenArea written;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = written.Start(job, run, origin);
        row(dst, RunSource(job, run, origin), run.Count);
    }
    return written.Rect();
}
