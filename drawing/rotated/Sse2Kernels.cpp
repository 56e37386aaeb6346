// The kernels that SSE2 speeds up: keyed rows and keyed narrow spans, four pixels to a store.
#include "drawing/rotated/Sse2Pixels.h"

#if defined(__SSE2__)

namespace {

TRect KeyedRows(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const uint32_t key = job.Key;
    return RowRuns(job, runs, count, origin,
                   [key](uint32_t* dst, const uint32_t* src, int32_t n) { KeyedRowSse2(dst, src, n, key); });
}

// Four fetches, then one keyed store: no branch on the key, which the outline makes unpredictable. The fetches
// run ahead of the stores, so source and destination must be apart.
TRect KeyedNarrow(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const __m128i keys = _mm_set1_epi32(static_cast<int>(job.Key));
    const auto block = [keys](uint32_t* dst, int32_t n, const auto& fetch) {
        int32_t k = 0;
        for (; k + 4 <= n; k += 4) {
            const uint32_t p0 = fetch();
            const uint32_t p1 = fetch();
            const uint32_t p2 = fetch();
            const uint32_t p3 = fetch();
            StoreKeyed(dst + k,
                       _mm_set_epi32(static_cast<int>(p3), static_cast<int>(p2), static_cast<int>(p1),
                                     static_cast<int>(p0)),
                       keys);
        }
        return k;
    };
    return SteppedRuns<true, int32_t>(job, runs, count, origin, block);
}

} // namespace

const TSpanKernels* Sse2Kernels()
{
    static const TSpanKernels table = [] {
        TSpanKernels kernels = ScalarKernels();
        kernels.Name = "SSE2";
        kernels.Rows[1] = &KeyedRows;
        kernels.Narrow[1] = &KeyedNarrow;
        return kernels;
    }();
    return &table;
}

#else

const TSpanKernels* Sse2Kernels()
{
    return nullptr;
}

#endif
