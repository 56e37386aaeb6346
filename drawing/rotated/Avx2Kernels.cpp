// The kernels that AVX2 speeds up: keyed rows eight pixels to a store, and keyed spans from another surface
// fetched eight at a time with one gather. Only the functions marked for AVX2 use it, so the program still runs
// on processors without.
#include "drawing/rotated/Sse2Pixels.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace {

// Eight keyed pixels from the source positions (us, vs), fetched with one gather, over the eight at dst.
__attribute__((target("avx2"))) inline __m256i GatherBlock(const uint32_t* dst, const uint32_t* src, __m256i pitches,
                                                           __m256i keys, __m256i us, __m256i vs)
{
    const __m256i index = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(vs, kFixedShift), pitches),
                                           _mm256_srai_epi32(us, kFixedShift));
    const __m256i colours = _mm256_and_si256(_mm256_i32gather_epi32(reinterpret_cast<const int*>(src), index, 4),
                                             _mm256_set1_epi32(static_cast<int>(kColourBits)));
    const __m256i keep = _mm256_cmpeq_epi32(colours, keys);
    const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    return _mm256_blendv_epi8(colours, old, keep);
}

// Keyed spans with any steps, their source indices computed side by side (narrow draws only).
__attribute__((target("avx2"))) TRect Gather(const TSpanJob& job, const TSpanRun* runs, int32_t count,
                                             const TRunOrigin& origin)
{
    const uint32_t* src = job.Src;
    const auto pitch = static_cast<int32_t>(job.SrcPitch);
    const auto du = static_cast<int32_t>(job.DU);
    const auto dv = static_cast<int32_t>(job.DV);
    const uint32_t key = job.Key;
    const __m256i pitches = _mm256_set1_epi32(pitch);
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i laneU = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(du));
    const __m256i laneV = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(dv));
    // Eight steps at once, used only within spans of eight or more, where they stay inside the source.
    const __m256i stepU = _mm256_set1_epi32(static_cast<int32_t>(8u * static_cast<uint32_t>(du)));
    const __m256i stepV = _mm256_set1_epi32(static_cast<int32_t>(8u * static_cast<uint32_t>(dv)));
    TWrittenArea written;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = written.Start(job, run, origin);
        const auto u = static_cast<int32_t>(run.U + origin.U);
        const auto v = static_cast<int32_t>(run.V + origin.V);
        const int32_t n = run.Count;
        if (n < 8) {
            int32_t pu = u;
            int32_t pv = v;
            for (int32_t k = 0; k < n; ++k, pu += du, pv += dv)
                StorePixel<true>(dst + k, src[(pv >> kFixedShift) * pitch + (pu >> kFixedShift)], key);
            continue;
        }
        // The tail is one more block ending at the span's end, worked out before the others are stored (see
        // KeyedRowAvx2).
        const __m256i tail = GatherBlock(dst + n - 8, src, pitches, keys,
                                         _mm256_add_epi32(_mm256_set1_epi32(u + (n - 8) * du), laneU),
                                         _mm256_add_epi32(_mm256_set1_epi32(v + (n - 8) * dv), laneV));
        __m256i us = _mm256_add_epi32(_mm256_set1_epi32(u), laneU);
        __m256i vs = _mm256_add_epi32(_mm256_set1_epi32(v), laneV);
        for (int32_t k = 0; k + 8 <= n; k += 8) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + k),
                                GatherBlock(dst + k, src, pitches, keys, us, vs));
            us = _mm256_add_epi32(us, stepU);
            vs = _mm256_add_epi32(vs, stepV);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + n - 8), tail);
    }
    return written.Rect();
}

// KeyedRowSse2 eight pixels at a time, for rows of eight or more.
__attribute__((target("avx2"))) inline void KeyedRowAvx2(uint32_t* dst, const uint32_t* src, int32_t n,
                                                         __m256i keys)
{
    const __m256i colourBits = _mm256_set1_epi32(static_cast<int>(kColourBits));
    const auto blend = [&](int32_t at) __attribute__((target("avx2"))) {
        const __m256i colours =
            _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + at)), colourBits);
        const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + at));
        return _mm256_blendv_epi8(colours, old, _mm256_cmpeq_epi32(colours, keys));
    };
    // The tail is one more block ending at the row's end, worked out before the others are stored: it then
    // stores the same in the pixels they share, and no load waits for a store it half overlaps.
    const __m256i tail = blend(n - 8);
    for (int32_t k = 0; k + 8 <= n; k += 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + k), blend(k));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + n - 8), tail);
}

// The loop over the runs is written out here rather than taken from RowRuns: the row copy inlines only into a
// function marked for AVX2 itself.
__attribute__((target("avx2"))) TRect KeyedRows(const TSpanJob& job, const TSpanRun* runs, int32_t count,
                                                const TRunOrigin& origin)
{
    const uint32_t key = job.Key;
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    TWrittenArea written;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = written.Start(job, run, origin);
        const uint32_t* src = RunSource(job, run, origin);
        if (run.Count >= 8)
            KeyedRowAvx2(dst, src, run.Count, keys);
        else
            KeyedRowSse2(dst, src, run.Count, key);
    }
    return written.Rect();
}

} // namespace

const TSpanKernels* Avx2Kernels()
{
    static const TSpanKernels table = [] {
        TSpanKernels kernels = *Sse2Kernels();
        kernels.Name = "AVX2";
        kernels.Rows[1] = &KeyedRows;
        kernels.Strides[1] = &Gather;
        kernels.Narrow[1] = &Gather;
        return kernels;
    }();
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported ? &table : nullptr;
}

#else

const TSpanKernels* Avx2Kernels()
{
    return nullptr;
}

#endif
