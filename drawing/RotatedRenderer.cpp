#include "drawing/RotatedRenderer.h"

#include "drawing/CosTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__) && defined(__GNUC__)
bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

#if defined(__SSE2__)
// Stores four pixels' colour bits, leaving the destination as it is where they equal the key.
inline void StoreKeyed(uint32_t* dst, __m128i pixels, __m128i keys)
{
    const __m128i colours = _mm_and_si128(pixels, _mm_set1_epi32(0xFFFFFF));
    const __m128i keep = _mm_cmpeq_epi32(colours, keys);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_or_si128(_mm_and_si128(keep, old), _mm_andnot_si128(keep, colours)));
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
// Eight keyed pixels from the source positions (us, vs), fetched with one gather, over the eight at dst.
__attribute__((target("avx2"))) inline __m256i GatherBlock(const uint32_t* dst, const uint32_t* src, __m256i pitches,
                                                           __m256i keys, __m256i us, __m256i vs)
{
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(vs, 16), pitches), _mm256_srai_epi32(us, 16));
    const __m256i colours = _mm256_and_si256(_mm256_i32gather_epi32(reinterpret_cast<const int*>(src), index, 4),
                                             _mm256_set1_epi32(0xFFFFFF));
    const __m256i keep = _mm256_cmpeq_epi32(colours, keys);
    const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    return _mm256_blendv_epi8(colours, old, keep);
}

// The positions of eight pixels from the k-th on.
__attribute__((target("avx2"))) inline __m256i Positions(int32_t start, int32_t step, int32_t k)
{
    return _mm256_add_epi32(_mm256_set1_epi32(start + k * step),
                            _mm256_mullo_epi32(_mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7), _mm256_set1_epi32(step)));
}

// A keyed span of eight or more pixels, eight at a time: their source indices computed side by side. Positions
// and indices fit 32 bits (narrow draws only). Returns how many pixels it drew: all, or none for a short span.
__attribute__((target("avx2"))) int32_t GatherKeyed(uint32_t* dst, const uint32_t* src, int32_t pitch, int32_t u,
                                                    int32_t v, int32_t du, int32_t dv, uint32_t key, int32_t n)
{
    if (n < 8)
        return 0;
    const __m256i pitches = _mm256_set1_epi32(pitch);
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i stepU = _mm256_set1_epi32(8 * du);
    const __m256i stepV = _mm256_set1_epi32(8 * dv);
    // The tail is one more block ending at the span's end, worked out before the others are stored (see
    // KeyedRowWide).
    const __m256i tail =
        GatherBlock(dst + n - 8, src, pitches, keys, Positions(u, du, n - 8), Positions(v, dv, n - 8));
    __m256i us = Positions(u, du, 0);
    __m256i vs = Positions(v, dv, 0);
    for (int32_t k = 0; k + 8 <= n; k += 8) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + k), GatherBlock(dst + k, src, pitches, keys, us, vs));
        us = _mm256_add_epi32(us, stepU);
        vs = _mm256_add_epi32(vs, stepV);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + n - 8), tail);
    return n;
}

// KeyedRow eight pixels at a time, for rows of eight or more.
__attribute__((target("avx2"))) void KeyedRowWide(uint32_t* dst, const uint32_t* src, int32_t n, uint32_t key)
{
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i colourBits = _mm256_set1_epi32(0xFFFFFF);
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
#endif

// Copies n pixels, leaving those whose 24 colour bits equal the key out and writing the others' top byte as 0.
void KeyedRow(uint32_t* dst, const uint32_t* src, int32_t n, uint32_t key)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (n >= 8 && HasAvx2()) {
        KeyedRowWide(dst, src, n, key);
        return;
    }
#endif
    int32_t k = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    for (; k + 4 <= n; k += 4)
        StoreKeyed(dst + k, _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k)), keys);
#endif
    for (; k < n; ++k) {
        const uint32_t colour = src[k] & 0xFFFFFFu;
        if (colour != key)
            dst[k] = colour;
    }
}

// Absurd draw parameters can carry fixed-point positions past 64 bits; those draws are planned in 128 bits.
__extension__ typedef __int128 Int128;

// A pivot this far from the picture's corner puts the whole picture beyond any 32-bit destination.
constexpr long double kUnreachable = 0x1p59L;

struct TBox {
    int64_t MinX;
    int64_t MaxX;
    int64_t MinY;
    int64_t MaxY;
};

struct TSteps {
    int64_t DU;
    int64_t DV;
    int64_t EU;
    int64_t EV;
};

// The source rectangle in 16.16 source coordinates.
struct TBounds {
    int64_t L;
    int64_t T;
    int64_t R;
    int64_t B;
};

// Everything about a draw that does not depend on where it goes: the corners of the turned rectangle relative to
// the pivot's pixel, the source steps and the pivot's source position. Sprites are drawn the same way frame after
// frame, so this is kept for the last few kinds of draw.
struct TShape {
    int32_t W = 0;
    int32_t H = 0;
    int64_t SW = 0;
    int64_t SH = 0;
    uint64_t PivotXBits = 0;
    uint64_t PivotYBits = 0;
    uint32_t Angle = 0;
    bool Valid = false;

    bool Reachable = false;
    int64_t CornerX[4] = {};
    int64_t CornerY[4] = {};
    TSteps Steps{};
    Int128 PivotU = 0;
    Int128 PivotV = 0;
};

// Source steps per destination pixel to the right (du, dv) and per row down (-eu, +ev).
TSteps Steps(int64_t sw, int64_t sh, int32_t w, int32_t h, int32_t angle)
{
    const uint32_t back = (0u - static_cast<uint32_t>(angle)) & 255u;
    const int64_t c = static_cast<int64_t>(65536.0 * CosTable()[back]);
    const int64_t s = static_cast<int64_t>(65536.0 * CosTable()[(back + 192u) & 255u]);
    return {sw * c / w, sh * s / h, sw * s / w, sh * c / h};
}

// trunc(size * pivot * 65536), the pivot's source position in 16.16.
Int128 PivotPosition(int64_t size, double pivot)
{
    const long double position = static_cast<long double>(size) * pivot * 65536;
    if (std::fabs(position) < 0x1p61L)
        return TruncateExtended(position);
    return static_cast<Int128>(position);
}

void PlanShape(TShape& shape, double pivotX, double pivotY, int32_t angle)
{
    const long double px = static_cast<long double>(shape.W) * pivotX;
    const long double py = static_cast<long double>(shape.H) * pivotY;
    shape.Reachable = std::fabs(px) < kUnreachable && std::fabs(py) < kUnreachable;
    if (!shape.Reachable)
        return;
    const long double c = CosOfAngle(angle);
    const long double s = SinOfAngle(angle);
    // The bounds on px and py keep every value below well within 64 bits.
    const long double dxs[] = {static_cast<long double>(TruncateExtended(-px)),
                               static_cast<long double>(TruncateExtended(shape.W - px))};
    const long double dys[] = {static_cast<long double>(TruncateExtended(-py)),
                               static_cast<long double>(TruncateExtended(shape.H - py))};
    int corner = 0;
    for (const long double dx : dxs) {
        for (const long double dy : dys) {
            shape.CornerX[corner] = TruncateExtended(dx * c - dy * s);
            shape.CornerY[corner] = TruncateExtended(dx * s + dy * c);
            ++corner;
        }
    }
    shape.Steps = Steps(shape.SW, shape.SH, shape.W, shape.H, angle);
    shape.PivotU = PivotPosition(shape.SW, pivotX);
    shape.PivotV = PivotPosition(shape.SH, pivotY);
}

uint64_t Bits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The shape of a draw, from a small cache of recent ones (drawing happens on one thread only).
const TShape& ShapeOf(int32_t w, int32_t h, int64_t sw, int64_t sh, double pivotX, double pivotY, int32_t angle)
{
    static std::array<TShape, 16> cache;
    const uint64_t px = Bits(pivotX);
    const uint64_t py = Bits(pivotY);
    const auto turn = static_cast<uint32_t>(angle) & 255u;
    const uint64_t hash = (static_cast<uint64_t>(w) * 31 + static_cast<uint64_t>(h)) * 131 + turn * 7 +
                          static_cast<uint64_t>(sw) * 17 + static_cast<uint64_t>(sh) + (px >> 52) + (py >> 50);
    TShape& shape = cache[hash % cache.size()];
    if (shape.Valid && shape.W == w && shape.H == h && shape.SW == sw && shape.SH == sh && shape.PivotXBits == px &&
        shape.PivotYBits == py && shape.Angle == turn)
        return shape;
    shape = TShape{w, h, sw, sh, px, py, turn, true};
    PlanShape(shape, pivotX, pivotY, angle);
    return shape;
}

// The destination rows and columns the turned rectangle covers, clipped to the destination. False when that
// leaves nothing to draw.
bool CoveredBox(const TShape& shape, int32_t x, int32_t y, int32_t dstWidth, int32_t dstHeight, TBox& box)
{
    if (!shape.Reachable)
        return false;
    box = {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min(),
           std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    for (int corner = 0; corner < 4; ++corner) {
        const int64_t cx = shape.CornerX[corner] + x;
        const int64_t cy = shape.CornerY[corner] + y;
        box.MinX = std::min(box.MinX, cx);
        box.MaxX = std::max(box.MaxX, cx);
        box.MinY = std::min(box.MinY, cy);
        box.MaxY = std::max(box.MaxY, cy);
    }
    box.MinX = std::max<int64_t>(box.MinX, 0);
    box.MinY = std::max<int64_t>(box.MinY, 0);
    box.MaxX = std::min<int64_t>(box.MaxX, dstWidth);
    box.MaxY = std::min<int64_t>(box.MaxY, dstHeight);
    return !(box.MinX > dstWidth || box.MaxX <= 0 || box.MaxX - box.MinX <= 0 || box.MinY > dstHeight ||
             box.MaxY <= 0 || box.MaxY - box.MinY <= 0);
}

// trunc(a / d) for d > 0, by plain division.
template <typename Wide>
class TPlainQuotient {
public:
    explicit TPlainQuotient(Wide d) : FD(d) {}
    Wide operator()(Wide a) const { return a / FD; }

private:
    Wide FD;
};

// trunc(a / d) for 0 < d < 2^31 and |a| < 2^31, without a division: the product with the reciprocal is off by
// less than one, and one comparison corrects it. A negative a gives 0; the callers need only know that no
// pixel is left then.
class TReciprocalQuotient {
public:
    explicit TReciprocalQuotient(int32_t d) : FD(d), FInverse(1.0 / d) {}
    int32_t operator()(int32_t a) const
    {
        if (a <= 0)
            return 0;
        auto q = static_cast<int32_t>(a * FInverse);
        const int64_t product = int64_t{q} * FD;
        // Without branches: which way the estimate is off follows no pattern.
        return q - static_cast<int32_t>(product > a) + static_cast<int32_t>(product + FD <= a);
    }

private:
    int64_t FD;
    double FInverse;
};

// trunc(a / d) for d a power of two and a >= 0, by a shift: the divisors of whole-pixel steps. A negative a
// gives a negative result; the callers need only know that no pixel is left then.
class TShiftQuotient {
public:
    explicit TShiftQuotient(int32_t d) : FShift(std::countr_zero(static_cast<uint32_t>(d))) {}
    static bool Fits(int64_t d) { return d > 0 && d <= (int64_t{1} << 30) && (d & (d - 1)) == 0; }
    int32_t operator()(int32_t a) const { return a >> FShift; }

private:
    int FShift;
};

// The same by a shift fixed at compile time: unit-scale whole and quarter turns divide by 1 and 65536 only.
template <int Shift>
class TFixedShiftQuotient {
public:
    explicit TFixedShiftQuotient(int32_t) {}
    int32_t operator()(int32_t a) const { return a >> Shift; }
};

// Walks the rows of the box, clipping each row's span analytically to the source rectangle and the
// destination's width before handing it to the renderer. Wide is the narrowest integer type that holds every
// intermediate of this draw; QuotientU and QuotientV divide by the draw's two fixed divisors.
template <typename Wide, typename QuotientU, typename QuotientV>
TRect DrawRows(TDXRMachine& machine, const TBox& box, Wide u, Wide v, const TSteps& steps, const TBounds& bounds,
              int32_t dstWidth)
{
    const auto du = static_cast<Wide>(steps.DU);
    const auto dv = static_cast<Wide>(steps.DV);
    const auto eu = static_cast<Wide>(steps.EU);
    const auto ev = static_cast<Wide>(steps.EV);
    const auto left = static_cast<Wide>(bounds.L);
    const auto top = static_cast<Wide>(bounds.T);
    const auto right = static_cast<Wide>(bounds.R);
    const auto bottom = static_cast<Wide>(bounds.B);
    // Every quotient of a row divides by the magnitude of one step (by 1 where that step is 0); with the sign
    // of a negative step moved into the numerator, each one keeps its truncated value.
    const QuotientU byU(std::max<Wide>(du < 0 ? -du : du, 1));
    const QuotientV byV(std::max<Wide>(dv < 0 ? -dv : dv, 1));
    // Pixels left in the row from the box's left edge; the box starts inside the destination.
    const auto room = static_cast<Wide>(dstWidth - box.MinX);
    // The spans of a batch of rows are planned before any is drawn: the rows do not depend on each other, so
    // their divisions overlap instead of waiting for one another.
    struct TSpan {
        Wide Skip;
        Wide Count;
        Wide U;
        Wide V;
    };
    constexpr int64_t Batch = 64;
    TSpan spans[Batch];
    TRect drawn;
    for (int64_t first = box.MinY; first < box.MaxY; first += Batch) {
        const int64_t rows = std::min(Batch, box.MaxY - first);
        for (int64_t r = 0; r < rows; ++r, u -= eu, v += ev) {
            TSpan& span = spans[r];
            span.Count = 0;
            Wide skip = 0;
            if (du > 0 && u < left)
                skip = byU(left - u + du - 1);
            if (du < 0 && u >= right)
                skip = byU(u - right - du);
            if (dv > 0 && v < top)
                skip = std::max<Wide>(skip, byV(top - v + dv - 1));
            if (dv < 0 && v >= bottom)
                skip = std::max<Wide>(skip, byV(v - bottom - dv));
            // A span starting past the destination's edge is empty; stopping here also keeps skip small.
            if (skip >= room)
                continue;
            const Wide u1 = u + skip * du;
            const Wide v1 = v + skip * dv;
            Wide n = du >= 0 ? byU(right - u1) : byU(u1 - left);
            n = std::min<Wide>(n, dv >= 0 ? byV(bottom - v1) : byV(v1 - top));
            n = std::min<Wide>(n, room - skip);
            if ((du == 0 && u1 < left) || (dv == 0 && v1 < top))
                n = 0;
            span = {skip, n, u1, v1};
        }
        for (int64_t r = 0; r < rows; ++r) {
            const TSpan& span = spans[r];
            if (span.Count <= 0)
                continue;
            const auto x = static_cast<int32_t>(box.MinX + static_cast<int64_t>(span.Skip));
            const auto y = static_cast<int32_t>(first + r);
            machine.SetPosition(x, y, static_cast<int64_t>(span.U), static_cast<int64_t>(span.V));
            machine.RenderSpan(static_cast<int32_t>(span.Count));
            // A span may reach past the box's right edge, as far as the destination's.
            drawn = drawn.Empty() ? TRect{x, y, x, y + 1} : drawn;
            drawn.Left = std::min(drawn.Left, x);
            drawn.Right = std::max(drawn.Right, x + static_cast<int32_t>(span.Count));
            drawn.Bottom = y + 1;
        }
    }
    return drawn;
}

Int128 Magnitude(Int128 value)
{
    return value < 0 ? -value : value;
}

} // namespace

void TDXRMachine::SetDestination(uint32_t* bits, std::ptrdiff_t pitchPixels)
{
    FDst = bits;
    FDstPitch = pitchPixels;
}

void TDXRMachine::SetSource(const uint32_t* bits, std::ptrdiff_t pitchPixels)
{
    FSrc = bits;
    FSrcPitch = pitchPixels;
}

void TDXRMachine::SetColorKey(bool enabled, uint32_t key)
{
    FKey = key & 0xFFFFFFu;
    FKeyed = enabled;
    ChooseSpan();
}

void TDXRMachine::SetSteps(int64_t du, int64_t dv, bool narrow)
{
    FDU = du;
    FDV = dv;
    FNarrow = narrow;
    ChooseSpan();
}

void TDXRMachine::SetPosition(int32_t x, int32_t y, int64_t u, int64_t v)
{
    FX = x;
    FY = y;
    FU = u;
    FV = v;
}

void TDXRMachine::ChooseSpan()
{
    // A draw within one surface keeps the pixel-by-pixel order: every read must see the writes before it.
    const bool apart = FSrc != FDst;
    // Steps of whole pixels (unit scale at whole and quarter turns) keep the fractions fixed, so the source
    // pixel advances by a constant offset.
    const bool whole = FDU % 65536 == 0 && FDV % 65536 == 0;
    if (whole && FNarrow && apart) {
        FStride = static_cast<std::ptrdiff_t>(FDU / 65536) + static_cast<std::ptrdiff_t>(FDV / 65536) * FSrcPitch;
        FSpan = FKeyed ? &StepSpan<true> : &StepSpan<false>;
    } else if (FNarrow && FSrcPitch < (std::ptrdiff_t{1} << 17)) {
        if (apart)
            FSpan = FKeyed ? &Span<true, int32_t, true> : &Span<false, int32_t, true>;
        else
            FSpan = FKeyed ? &Span<true, int32_t, false> : &Span<false, int32_t, false>;
    } else {
        FSpan = FKeyed ? &Span<true, int64_t, false> : &Span<false, int64_t, false>;
    }
}

template <bool Keyed, typename Position, bool ReadAhead>
void TDXRMachine::Span(const TDXRMachine& m, int32_t n)
{
    uint32_t* dst = m.FDst + m.FY * m.FDstPitch + m.FX;
    const uint32_t* src = m.FSrc;
    // Narrow positions come with a pitch small enough that a source index fits 32 bits as well.
    using Index = std::conditional_t<std::is_same_v<Position, int32_t>, int32_t, std::ptrdiff_t>;
    const auto pitch = static_cast<Index>(m.FSrcPitch);
    const auto du = static_cast<Position>(m.FDU);
    const auto dv = static_cast<Position>(m.FDV);
    const uint32_t key = m.FKey;
    auto u = static_cast<Position>(m.FU);
    auto v = static_cast<Position>(m.FV);
    const auto fetch = [&] {
        const uint32_t pixel = src[static_cast<Index>(v >> 16) * pitch + static_cast<Index>(u >> 16)];
        u += du;
        v += dv;
        return pixel;
    };
    int32_t k = 0;
#if defined(__x86_64__) && defined(__GNUC__)
    if constexpr (Keyed && ReadAhead && std::is_same_v<Position, int32_t>) {
        if (HasAvx2()) {
            k = GatherKeyed(dst, src, pitch, u, v, du, dv, key, n);
            u += k * du;
            v += k * dv;
        }
    }
#endif
#if defined(__SSE2__)
    if constexpr (Keyed && ReadAhead) {
        // Four fetches, then one keyed store: no branch on the key, which the outline makes unpredictable.
        const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
        for (; k + 4 <= n; k += 4) {
            const uint32_t p0 = fetch();
            const uint32_t p1 = fetch();
            const uint32_t p2 = fetch();
            const uint32_t p3 = fetch();
            StoreKeyed(dst + k, _mm_set_epi32(static_cast<int>(p3), static_cast<int>(p2), static_cast<int>(p1),
                                              static_cast<int>(p0)),
                       keys);
        }
    }
#endif
    for (; k < n; ++k) {
        const uint32_t pixel = fetch();
        if constexpr (Keyed) {
            const uint32_t colour = pixel & 0xFFFFFFu;
            if (colour != key)
                dst[k] = colour;
        } else {
            dst[k] = pixel;
        }
    }
}

template <bool Keyed>
void TDXRMachine::StepSpan(const TDXRMachine& m, int32_t n)
{
    uint32_t* dst = m.FDst + m.FY * m.FDstPitch + m.FX;
    const uint32_t* src = m.FSrc + static_cast<std::ptrdiff_t>(m.FV >> 16) * m.FSrcPitch + (m.FU >> 16);
    const std::ptrdiff_t stride = m.FStride;
    if (stride == 1) {
        if constexpr (Keyed)
            KeyedRow(dst, src, n, m.FKey);
        else
            std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
        return;
    }
    std::ptrdiff_t at = 0;
    for (int32_t k = 0; k < n; ++k, at += stride) {
        const uint32_t pixel = src[at];
        if constexpr (Keyed) {
            const uint32_t colour = pixel & 0xFFFFFFu;
            if (colour != m.FKey)
                dst[k] = colour;
        } else {
            dst[k] = pixel;
        }
    }
}

TDXRMachine& DXRMachine()
{
    static TDXRMachine machine;
    return machine;
}

TRect RenderRotated(const TLockedPixels& dst, const TLockedPixels& src, int32_t x, int32_t y, int32_t w, int32_t h,
                   const TRect& srcRect, double pivotX, double pivotY, bool transparent, uint32_t key,
                   int32_t angle)
{
    if (!dst.Bits || dst.Width <= 0 || dst.Height <= 0 || !src.Bits || src.Width <= 0 || src.Height <= 0 ||
        w == 0 || h == 0)
        return {};
    if (!(0 <= srcRect.Left && srcRect.Left < srcRect.Right && srcRect.Right <= src.Width && 0 <= srcRect.Top &&
          srcRect.Top < srcRect.Bottom && srcRect.Bottom <= src.Height))
        return {};
    const int64_t sw = int64_t{srcRect.Right} - srcRect.Left;
    const int64_t sh = int64_t{srcRect.Bottom} - srcRect.Top;
    const TShape& shape = ShapeOf(w, h, sw, sh, pivotX, pivotY, angle);
    TBox box;
    if (!CoveredBox(shape, x, y, dst.Width, dst.Height, box))
        return {};
    const TSteps steps = shape.Steps;
    const TBounds bounds{int64_t{srcRect.Left} * 65536, int64_t{srcRect.Top} * 65536,
                         int64_t{srcRect.Right} * 65536, int64_t{srcRect.Bottom} * 65536};

    const Int128 u = shape.PivotU +
                     Int128{box.MinX - x} * steps.DU + Int128{y - box.MinY} * steps.EU + bounds.L;
    const Int128 v = shape.PivotV +
                     Int128{box.MinX - x} * steps.DV - Int128{y - box.MinY} * steps.EV + bounds.T;
    // The row positions move linearly, so the first and last rows bound them all. With every row position,
    // step and bound below 2^29 (2^60), and a span step times the destination width too, no intermediate of
    // the row loop leaves 32 (64) bits.
    const Int128 lastRow = box.MaxY - 1 - box.MinY;
    const Int128 rowReach = std::max({Magnitude(u), Magnitude(v), Magnitude(u - lastRow * steps.EU),
                                      Magnitude(v + lastRow * steps.EV)});
    const int64_t stepReach = std::max({std::abs(steps.DU), std::abs(steps.DV), std::abs(steps.EU),
                                        std::abs(steps.EV), bounds.R, bounds.B});
    const Int128 spanReach = Int128{dst.Width} * std::max(std::abs(steps.DU), std::abs(steps.DV));
    const Int128 reach = std::max({rowReach, Int128{stepReach}, spanReach});

    TDXRMachine& machine = DXRMachine();
    machine.SetDestination(dst.Bits, dst.PitchPixels);
    machine.SetSource(src.Bits, src.PitchPixels);
    machine.SetColorKey(transparent, key);
    const bool narrow = reach < Int128{1} << 29;
    machine.SetSteps(steps.DU, steps.DV, narrow);
    const int64_t byU = std::max<int64_t>(std::abs(steps.DU), 1);
    const int64_t byV = std::max<int64_t>(std::abs(steps.DV), 1);
    const auto u32 = static_cast<int32_t>(u);
    const auto v32 = static_cast<int32_t>(v);
    using Shift16 = TFixedShiftQuotient<16>;
    using Shift0 = TFixedShiftQuotient<0>;
    if (narrow && byU == 65536 && byV == 1)
        return DrawRows<int32_t, Shift16, Shift0>(machine, box, u32, v32, steps, bounds, dst.Width);
    if (narrow && byU == 1 && byV == 65536)
        return DrawRows<int32_t, Shift0, Shift16>(machine, box, u32, v32, steps, bounds, dst.Width);
    if (narrow && TShiftQuotient::Fits(byU) && TShiftQuotient::Fits(byV))
        return DrawRows<int32_t, TShiftQuotient, TShiftQuotient>(machine, box, u32, v32, steps, bounds, dst.Width);
    if (narrow)
        return DrawRows<int32_t, TReciprocalQuotient, TReciprocalQuotient>(machine, box, u32, v32, steps, bounds,
                                                                           dst.Width);
    if (reach < Int128{1} << 60)
        return DrawRows<int64_t, TPlainQuotient<int64_t>, TPlainQuotient<int64_t>>(
            machine, box, static_cast<int64_t>(u), static_cast<int64_t>(v), steps, bounds, dst.Width);
    return DrawRows<Int128, TPlainQuotient<Int128>, TPlainQuotient<Int128>>(machine, box, u, v, steps, bounds,
                                                                            dst.Width);
}
