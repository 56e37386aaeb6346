#pragma once
// Keyed stores four pixels at a time, for the SSE2 and AVX2 kernels.
#include "drawing/rotated/SpanLoops.h"

#if defined(__SSE2__)
#include <emmintrin.h>

// Stores four pixels' colour bits, leaving the destination as it is where they equal the key.
inline void StoreKeyed(uint32_t* dst, __m128i pixels, __m128i keys)
{
    const __m128i colours = _mm_and_si128(pixels, _mm_set1_epi32(static_cast<int>(kColourBits)));
    const __m128i keep = _mm_cmpeq_epi32(colours, keys);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_or_si128(_mm_and_si128(keep, old), _mm_andnot_si128(keep, colours)));
}

// Copies n pixels of a row, leaving those whose colour bits equal the key out.
inline void KeyedRowSse2(uint32_t* dst, const uint32_t* src, int32_t n, uint32_t key)
{
    int32_t k = 0;
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    for (; k + 4 <= n; k += 4)
        StoreKeyed(dst + k, _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k)), keys);
    for (; k < n; ++k)
        StorePixel<true>(dst + k, src[k], key);
}
#endif
