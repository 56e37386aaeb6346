// The kernels in plain C++: the ones a source in the destination's own surface needs, the comparison for the
// others, and what the other tables fall back on.
#include "drawing/rotated/SpanLoops.h"

#include <cstring>

namespace {

// Any steps, pixel by pixel: every read sees the writes before it.
template <bool Keyed, typename Position>
TRect AnySteps(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    return SteppedRuns<Keyed, Position>(job, runs, count, origin, TNoBlocks{});
}

TRect CopiedRows(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    return RowRuns(job, runs, count, origin, [](uint32_t* dst, const uint32_t* src, int32_t n) {
        std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
    });
}

TRect KeyedRows(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const uint32_t key = job.Key;
    return RowRuns(job, runs, count, origin, [key](uint32_t* dst, const uint32_t* src, int32_t n) {
        for (int32_t k = 0; k < n; ++k)
            StorePixel<true>(dst + k, src[k], key);
    });
}

// Whole steps: the source is walked with a pointer.
template <bool Keyed>
TRect Strides(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const std::ptrdiff_t stride = WholeStride(job);
    const uint32_t key = job.Key;
    TWrittenArea written;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = written.Start(job, run, origin);
        const uint32_t* src = RunSource(job, run, origin);
        std::ptrdiff_t at = 0;
        for (int32_t k = 0; k < run.Count; ++k, at += stride)
            StorePixel<Keyed>(dst + k, src[at], key);
    }
    return written.Rect();
}

} // namespace

const TSpanKernels& ScalarKernels()
{
    static constexpr TSpanKernels table{"scalar",
                                        {&CopiedRows, &KeyedRows},
                                        {&Strides<false>, &Strides<true>},
                                        {&AnySteps<false, int32_t>, &AnySteps<true, int32_t>},
                                        {&AnySteps<false, int64_t>, &AnySteps<true, int64_t>}};
    return table;
}
