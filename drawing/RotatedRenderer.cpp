#include "drawing/RotatedRenderer.h"

#include "drawing/CosTable.h"

#include <algorithm>
#include <array>
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

// Keyed spans from another surface, eight pixels at a time: their source indices computed side by side.
// Positions and indices fit 32 bits (narrow draws only).
__attribute__((target("avx2"))) void GatherRuns(uint32_t* dstBits, std::ptrdiff_t dstPitch, const uint32_t* src,
                                                int32_t pitch, int32_t du, int32_t dv, uint32_t key,
                                                const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const __m256i pitches = _mm256_set1_epi32(pitch);
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i laneU = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(du));
    const __m256i laneV = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(dv));
    const __m256i stepU = _mm256_set1_epi32(8 * du);
    const __m256i stepV = _mm256_set1_epi32(8 * dv);
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = dstBits + (run.Y + origin.Y) * dstPitch + (run.X + origin.X);
        const auto u = static_cast<int32_t>(run.U + origin.U);
        const auto v = static_cast<int32_t>(run.V + origin.V);
        const int32_t n = run.Count;
        if (n < 8) {
            int32_t pu = u;
            int32_t pv = v;
            for (int32_t k = 0; k < n; ++k, pu += du, pv += dv) {
                const uint32_t colour = src[(pv >> 16) * pitch + (pu >> 16)] & 0xFFFFFFu;
                if (colour != key)
                    dst[k] = colour;
            }
            continue;
        }
        // The tail is one more block ending at the span's end, worked out before the others are stored (see
        // KeyedRowWide).
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
}

#endif

// Copies n pixels, leaving those whose 24 colour bits equal the key out and writing the others' top byte as 0.
inline void KeyedRowNarrow(uint32_t* dst, const uint32_t* src, int32_t n, uint32_t key)
{
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

#if defined(__x86_64__) && defined(__GNUC__)
// KeyedRowNarrow eight pixels at a time, for rows of eight or more.
__attribute__((target("avx2"))) inline void KeyedRowWide(uint32_t* dst, const uint32_t* src, int32_t n,
                                                         __m256i keys)
{
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

// Keyed spans that walk another surface's rows forwards pixel by pixel.
__attribute__((target("avx2"))) void KeyedRowRuns(uint32_t* dstBits, std::ptrdiff_t dstPitch,
                                                  const uint32_t* srcBits, std::ptrdiff_t srcPitch, uint32_t key,
                                                  const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = dstBits + (run.Y + origin.Y) * dstPitch + (run.X + origin.X);
        const uint32_t* src =
            srcBits + ((run.V + origin.V) >> 16) * srcPitch + static_cast<std::ptrdiff_t>((run.U + origin.U) >> 16);
        if (run.Count >= 8)
            KeyedRowWide(dst, src, run.Count, keys);
        else
            KeyedRowNarrow(dst, src, run.Count, key);
    }
}
#endif

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

// Shapes with more rows than this are not planned ahead: the sprites have well under a hundred.
constexpr int32_t kKeptRuns = 128;

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

    // The spans of a draw that the destination does not clip, relative to the pivot's pixel and the source
    // rectangle's corner, kept for shapes as small as sprites: such a draw only moves them into place. Extent
    // holds the covered box and every span; Drawn is what the spans cover.
    bool Planned = false;
    TBox Extent{};
    TRect Drawn;
    int32_t RunCount = 0;
    TSpanRun Runs[kKeptRuns];

    void Reset(int32_t w, int32_t h, int64_t sw, int64_t sh, uint64_t pivotXBits, uint64_t pivotYBits,
               uint32_t angle)
    {
        W = w;
        H = h;
        SW = sw;
        SH = sh;
        PivotXBits = pivotXBits;
        PivotYBits = pivotYBits;
        Angle = angle;
        Valid = true;
        Reachable = false;
        Planned = false;
        RunCount = 0;
    }
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

void PlanRuns(TShape& shape);

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
    shape.Reset(w, h, sw, sh, px, py, turn);
    PlanShape(shape, pivotX, pivotY, angle);
    PlanRuns(shape);
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

// floor(a / d) for d > 0.
template <typename Wide>
Wide FloorDivide(Wide a, Wide d)
{
    const Wide q = a / d;
    return q * d > a ? q - 1 : q;
}

// floor(a / d) for d > 0 while a grows by a fixed step from row to row: the remainder is carried along, so no row
// divides.
template <typename Wide>
class TSteppedQuotient {
public:
    TSteppedQuotient(Wide a, Wide step, Wide d)
        : FD(d), FQ(FloorDivide(a, d)), FR(a - FQ * d), FStepQ(FloorDivide(step, d)), FStepR(step - FStepQ * d)
    {
    }
    Wide Value() const { return FQ; }
    void Next()
    {
        FR += FStepR;
        const bool carry = FR >= FD;
        FR -= carry ? FD : 0;
        FQ += FStepQ + (carry ? 1 : 0);
    }

private:
    Wide FD;
    Wide FQ;
    Wide FR;
    Wide FStepQ;
    Wide FStepR;
};

// The spans of the rows of a box, one row after the other: the pixels from the box's left edge on whose source
// positions lie inside the bounds, clipped analytically, and at most a given room of them. A span starts where
// both the column and the row have entered the bounds (the larger of two skips) and ends where either leaves
// them; every skip and every end is the floor of a quantity that moves linearly from row to row. Wide is the
// narrowest integer type that holds every intermediate of the draw.
template <typename Wide>
class TRowWalker {
public:
    struct TSpan {
        Wide Skip;
        Wide Count; // nothing to draw unless positive
        Wide U;
        Wide V;
    };

    // u and v are the source position at the box's top left pixel.
    TRowWalker(Wide u, Wide v, const TSteps& steps, const TBounds& bounds)
        : FU(u), FV(v), FDU(static_cast<Wide>(steps.DU)), FDV(static_cast<Wide>(steps.DV)),
          FEU(static_cast<Wide>(steps.EU)), FEV(static_cast<Wide>(steps.EV)), FLeft(static_cast<Wide>(bounds.L)),
          FTop(static_cast<Wide>(bounds.T)),
          FSkipU(SkipFrom(u, -FEU, FDU, FLeft, static_cast<Wide>(bounds.R))),
          FSkipV(SkipFrom(v, FEV, FDV, FTop, static_cast<Wide>(bounds.B))),
          FEndU(EndFrom(u, -FEU, FDU, FLeft, static_cast<Wide>(bounds.R))),
          FEndV(EndFrom(v, FEV, FDV, FTop, static_cast<Wide>(bounds.B)))
    {
    }

    TSpan Plan(Wide room) const
    {
        const Wide skip = std::max({FSkipU.Value(), FSkipV.Value(), Wide{0}});
        // A span starting past the room is empty; stopping here also keeps skip small.
        if (skip >= room)
            return {skip, 0, FU, FV};
        // Moving the start moves the end of a stepping axis, not of one that stands still.
        Wide n = FEndU.Value() - (FDU != 0 ? skip : 0);
        n = std::min<Wide>(n, FEndV.Value() - (FDV != 0 ? skip : 0));
        n = std::min<Wide>(n, room - skip);
        if ((FDU == 0 && FU < FLeft) || (FDV == 0 && FV < FTop))
            n = 0;
        return {skip, n, FU + skip * FDU, FV + skip * FDV};
    }

    void Next()
    {
        FU -= FEU;
        FV += FEV;
        FSkipU.Next();
        FSkipV.Next();
        FEndU.Next();
        FEndV.Next();
    }

private:
    // Pixels to skip before position p (moving by step per row and by d per pixel) enters [low, high), or a
    // number not above 0 where it starts inside.
    static TSteppedQuotient<Wide> SkipFrom(Wide p, Wide step, Wide d, Wide low, Wide high)
    {
        if (d > 0)
            return {low - p + d - 1, -step, d};
        if (d < 0)
            return {p - high - d, step, -d};
        return {0, 0, 1};
    }

    // Pixels from the start of the row before p leaves [low, high): not above 0 where none is left.
    static TSteppedQuotient<Wide> EndFrom(Wide p, Wide step, Wide d, Wide low, Wide high)
    {
        if (d > 0)
            return {high - p, -step, d};
        if (d < 0)
            return {p - low, step, -d};
        return {high - p, -step, 1};
    }

    Wide FU;
    Wide FV;
    Wide FDU;
    Wide FDV;
    Wide FEU;
    Wide FEV;
    Wide FLeft;
    Wide FTop;
    TSteppedQuotient<Wide> FSkipU;
    TSteppedQuotient<Wide> FSkipV;
    TSteppedQuotient<Wide> FEndU;
    TSteppedQuotient<Wide> FEndV;
};

// Widens rect to hold a span.
void Cover(TRect& rect, int32_t x, int32_t y, int32_t count)
{
    rect = rect.Empty() ? TRect{x, y, x, y + 1} : rect;
    rect.Left = std::min(rect.Left, x);
    rect.Right = std::max(rect.Right, x + count);
    rect.Bottom = y + 1;
}

// Walks the rows of the box, planning each row's span within the destination's width, and hands the spans to the
// renderer a batch at a time.
template <typename Wide>
TRect DrawRows(TDXRMachine& machine, const TBox& box, Wide u, Wide v, const TSteps& steps, const TBounds& bounds,
              int32_t dstWidth)
{
    TRowWalker<Wide> rows(u, v, steps, bounds);
    // Pixels left in the row from the box's left edge; the box starts inside the destination.
    const auto room = static_cast<Wide>(dstWidth - box.MinX);
    constexpr int32_t Batch = 64;
    TSpanRun runs[Batch];
    int32_t count = 0;
    TRect drawn;
    for (int64_t y = box.MinY; y < box.MaxY; ++y, rows.Next()) {
        const auto span = rows.Plan(room);
        if (span.Count <= 0)
            continue;
        const auto x = static_cast<int32_t>(box.MinX + static_cast<int64_t>(span.Skip));
        runs[count++] = {static_cast<int64_t>(span.U), static_cast<int64_t>(span.V), x, static_cast<int32_t>(y),
                         static_cast<int32_t>(span.Count)};
        // A span may reach past the box's right edge, as far as the destination's.
        Cover(drawn, x, static_cast<int32_t>(y), static_cast<int32_t>(span.Count));
        if (count == Batch) {
            machine.RenderSpans(runs, count, {0, 0, 0, 0});
            count = 0;
        }
    }
    machine.RenderSpans(runs, count, {0, 0, 0, 0});
    return drawn;
}

Int128 Magnitude(Int128 value)
{
    return value < 0 ? -value : value;
}

// The runs of a shape's box, from positions (u, v) at its top left corner. Room is how far a span may reach
// before it is cut short; a shape with a span that passes the box's right edge by more than a little is not
// kept, nor one with a span cut short.
template <typename Wide>
void KeepRuns(TShape& shape, const TBox& box, Wide u, Wide v, Wide room)
{
    TRowWalker<Wide> rows(u, v, shape.Steps, TBounds{0, 0, shape.SW * 65536, shape.SH * 65536});
    const int64_t reachable = 2 * (box.MaxX - box.MinX) + 16;
    TRect drawn;
    int64_t right = box.MaxX;
    int32_t count = 0;
    for (int64_t r = 0; r < box.MaxY - box.MinY; ++r, rows.Next()) {
        const auto span = rows.Plan(room);
        if (span.Skip >= room)
            return;
        if (span.Count <= 0)
            continue;
        if (static_cast<int64_t>(span.Skip + span.Count) > reachable)
            return;
        const auto x = static_cast<int32_t>(box.MinX + static_cast<int64_t>(span.Skip));
        const auto y = static_cast<int32_t>(box.MinY + r);
        shape.Runs[count++] = {static_cast<int64_t>(span.U), static_cast<int64_t>(span.V), x, y,
                               static_cast<int32_t>(span.Count)};
        Cover(drawn, x, y, static_cast<int32_t>(span.Count));
        right = std::max<int64_t>(right, x + static_cast<int64_t>(span.Count));
    }
    shape.RunCount = count;
    shape.Drawn = drawn;
    shape.Extent = {box.MinX, right, box.MinY, box.MaxY};
    shape.Planned = true;
}

// Fills in the shape's spans as a destination that clips nothing would have them, if the shape is small.
void PlanRuns(TShape& shape)
{
    if (!shape.Reachable)
        return;
    TBox box{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min(),
             std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    for (int corner = 0; corner < 4; ++corner) {
        box.MinX = std::min(box.MinX, shape.CornerX[corner]);
        box.MaxX = std::max(box.MaxX, shape.CornerX[corner]);
        box.MinY = std::min(box.MinY, shape.CornerY[corner]);
        box.MaxY = std::max(box.MaxY, shape.CornerY[corner]);
    }
    const int64_t rows = box.MaxY - box.MinY;
    const int64_t width = box.MaxX - box.MinX;
    // The spans are kept in 32-bit coordinates relative to the pivot's pixel, with room to spare.
    const int64_t far = int64_t{1} << 30;
    if (rows <= 0 || rows > kKeptRuns || width <= 0 || width > 4 * kKeptRuns || box.MinX < -far ||
        box.MaxX > far || box.MinY < -far || box.MaxY > far)
        return;
    const TSteps& steps = shape.Steps;
    // Positions relative to the source rectangle's corner, as if the pivot's pixel were the destination's origin.
    const Int128 u = shape.PivotU + Int128{box.MinX} * steps.DU - Int128{box.MinY} * steps.EU;
    const Int128 v = shape.PivotV + Int128{box.MinX} * steps.DV + Int128{box.MinY} * steps.EV;
    const int64_t spanStep = std::max({std::abs(steps.DU), std::abs(steps.DV), int64_t{1}});
    const Int128 reach =
        std::max({Magnitude(u), Magnitude(v), Magnitude(u - Int128{rows} * steps.EU),
                  Magnitude(v + Int128{rows} * steps.EV), Int128{shape.SW} * 65536, Int128{shape.SH} * 65536,
                  Int128{std::abs(steps.EU)}, Int128{std::abs(steps.EV)}, Int128{spanStep}});
    // As in a draw: 32 bits where every position, and a step times the room, stays below 2^29.
    const int64_t narrowRoom = std::min<int64_t>(int64_t{1} << 20, ((int64_t{1} << 29) - 1) / spanStep);
    if (reach < Int128{1} << 29 && narrowRoom > 2 * width + 16) {
        KeepRuns<int32_t>(
            shape, box, static_cast<int32_t>(u), static_cast<int32_t>(v), static_cast<int32_t>(narrowRoom));
        return;
    }
    const int64_t room = int64_t{1} << 20;
    if (std::max(reach, Int128{room} * spanStep) < Int128{1} << 60)
        KeepRuns<int64_t>(
            shape, box, static_cast<int64_t>(u), static_cast<int64_t>(v), room);
}

// Whether the destination clips nothing of the shape drawn with its pivot's pixel on (x, y).
bool Inside(const TShape& shape, int32_t x, int32_t y, int32_t dstWidth, int32_t dstHeight)
{
    return shape.Planned && shape.Extent.MinX + x >= 0 && shape.Extent.MaxX + x <= dstWidth &&
           shape.Extent.MinY + y >= 0 && shape.Extent.MaxY + y <= dstHeight;
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

void TDXRMachine::ChooseSpan()
{
    // A draw within one surface keeps the pixel-by-pixel order: every read must see the writes before it.
    const bool apart = FSrc != FDst;
#if defined(__x86_64__) && defined(__GNUC__)
    const bool avx2 = HasAvx2();
#else
    const bool avx2 = false;
#endif
    // Steps of whole pixels (unit scale at whole and quarter turns) keep the fractions fixed, so the source
    // pixel advances by a constant offset.
    const bool whole = FDU % 65536 == 0 && FDV % 65536 == 0;
    if (whole && FNarrow && apart) {
        FStride = static_cast<std::ptrdiff_t>(FDU / 65536) + static_cast<std::ptrdiff_t>(FDV / 65536) * FSrcPitch;
        FSpans = FKeyed ? &StepSpans<true> : &StepSpans<false>;
#if defined(__x86_64__) && defined(__GNUC__)
        if (FKeyed && FStride == 1 && avx2)
            FSpans = &KeyedRowSpans;
        else if (FKeyed && avx2 && FSrcPitch < (std::ptrdiff_t{1} << 17))
            FSpans = &GatherSpans;
#endif
    } else if (FNarrow && FSrcPitch < (std::ptrdiff_t{1} << 17)) {
        if (apart)
            FSpans = FKeyed ? &Spans<true, int32_t, true> : &Spans<false, int32_t, true>;
        else
            FSpans = FKeyed ? &Spans<true, int32_t, false> : &Spans<false, int32_t, false>;
#if defined(__x86_64__) && defined(__GNUC__)
        if (FKeyed && apart && avx2)
            FSpans = &GatherSpans;
#endif
    } else {
        FSpans = FKeyed ? &Spans<true, int64_t, false> : &Spans<false, int64_t, false>;
    }
}

template <bool Keyed, typename Position, bool ReadAhead>
void TDXRMachine::Spans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const uint32_t* src = m.FSrc;
    // Narrow positions come with a pitch small enough that a source index fits 32 bits as well.
    using Index = std::conditional_t<std::is_same_v<Position, int32_t>, int32_t, std::ptrdiff_t>;
    const auto pitch = static_cast<Index>(m.FSrcPitch);
    const auto du = static_cast<Position>(m.FDU);
    const auto dv = static_cast<Position>(m.FDV);
    const uint32_t key = m.FKey;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = m.FDst + static_cast<std::ptrdiff_t>(run.Y + origin.Y) * m.FDstPitch + (run.X + origin.X);
        auto u = static_cast<Position>(run.U + origin.U);
        auto v = static_cast<Position>(run.V + origin.V);
        const int32_t n = run.Count;
        const auto fetch = [&] {
            const uint32_t pixel = src[static_cast<Index>(v >> 16) * pitch + static_cast<Index>(u >> 16)];
            u += du;
            v += dv;
            return pixel;
        };
        int32_t k = 0;
#if defined(__SSE2__)
        if constexpr (Keyed && ReadAhead) {
            // Four fetches, then one keyed store: no branch on the key, which the outline makes unpredictable.
            const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
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
}

template <bool Keyed>
void TDXRMachine::StepSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    const std::ptrdiff_t stride = m.FStride;
    for (int32_t i = 0; i < count; ++i) {
        const TSpanRun& run = runs[i];
        uint32_t* dst = m.FDst + static_cast<std::ptrdiff_t>(run.Y + origin.Y) * m.FDstPitch + (run.X + origin.X);
        const uint32_t* src = m.FSrc + static_cast<std::ptrdiff_t>((run.V + origin.V) >> 16) * m.FSrcPitch +
                              static_cast<std::ptrdiff_t>((run.U + origin.U) >> 16);
        const int32_t n = run.Count;
        if (stride == 1) {
            if constexpr (Keyed)
                KeyedRowNarrow(dst, src, n, m.FKey);
            else
                std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
            continue;
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
}

#if defined(__x86_64__) && defined(__GNUC__)
void TDXRMachine::GatherSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count, const TRunOrigin& origin)
{
    GatherRuns(m.FDst, m.FDstPitch, m.FSrc, static_cast<int32_t>(m.FSrcPitch), static_cast<int32_t>(m.FDU),
               static_cast<int32_t>(m.FDV), m.FKey, runs, count, origin);
}

void TDXRMachine::KeyedRowSpans(const TDXRMachine& m, const TSpanRun* runs, int32_t count,
                                const TRunOrigin& origin)
{
    KeyedRowRuns(m.FDst, m.FDstPitch, m.FSrc, m.FSrcPitch, m.FKey, runs, count, origin);
}
#endif

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
    // A small shape the destination does not clip has its spans planned already.
    if (narrow && Inside(shape, x, y, dst.Width, dst.Height)) {
        machine.RenderSpans(shape.Runs, shape.RunCount, {x, y, bounds.L, bounds.T});
        const TRect& d = shape.Drawn;
        return d.Empty() ? TRect{} : TRect{d.Left + x, d.Top + y, d.Right + x, d.Bottom + y};
    }
    if (narrow)
        return DrawRows<int32_t>(machine, box, static_cast<int32_t>(u), static_cast<int32_t>(v), steps, bounds,
                                 dst.Width);
    if (reach < Int128{1} << 60)
        return DrawRows<int64_t>(machine, box, static_cast<int64_t>(u), static_cast<int64_t>(v), steps, bounds,
                                 dst.Width);
    return DrawRows<Int128>(machine, box, u, v, steps, bounds, dst.Width);
}
