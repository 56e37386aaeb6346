#include "drawing/RotatedRenderer.h"

#include "drawing/CosTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

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

// The destination rows and columns the turned rectangle covers, clipped to the destination. False when that
// leaves nothing to draw.
bool CoveredBox(int32_t x, int32_t y, int32_t w, int32_t h, double pivotX, double pivotY, int32_t angle,
                int32_t dstWidth, int32_t dstHeight, TBox& box)
{
    const long double px = static_cast<long double>(w) * pivotX;
    const long double py = static_cast<long double>(h) * pivotY;
    if (!(std::fabs(px) < kUnreachable && std::fabs(py) < kUnreachable))
        return false;
    const long double c = CosOfAngle(angle);
    const long double s = SinOfAngle(angle);
    box = {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min(),
           std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    // The bounds on px and py keep every value below well within 64 bits.
    const long double dxs[] = {static_cast<long double>(TruncateExtended(-px)),
                               static_cast<long double>(TruncateExtended(w - px))};
    const long double dys[] = {static_cast<long double>(TruncateExtended(-py)),
                               static_cast<long double>(TruncateExtended(h - py))};
    for (const long double dx : dxs) {
        for (const long double dy : dys) {
            const int64_t cx = TruncateExtended(dx * c - dy * s) + x;
            const int64_t cy = TruncateExtended(dx * s + dy * c) + y;
            box.MinX = std::min(box.MinX, cx);
            box.MaxX = std::max(box.MaxX, cx);
            box.MinY = std::min(box.MinY, cy);
            box.MaxY = std::max(box.MaxY, cy);
        }
    }
    box.MinX = std::max<int64_t>(box.MinX, 0);
    box.MinY = std::max<int64_t>(box.MinY, 0);
    box.MaxX = std::min<int64_t>(box.MaxX, dstWidth);
    box.MaxY = std::min<int64_t>(box.MaxY, dstHeight);
    return !(box.MinX > dstWidth || box.MaxX <= 0 || box.MaxX - box.MinX <= 0 || box.MinY > dstHeight ||
             box.MaxY <= 0 || box.MaxY - box.MinY <= 0);
}

// Source steps per destination pixel to the right (du, dv) and per row down (-eu, +ev).
TSteps Steps(int64_t sw, int64_t sh, int32_t w, int32_t h, int32_t angle)
{
    const uint32_t back = (0u - static_cast<uint32_t>(angle)) & 255u;
    const int64_t c = static_cast<int64_t>(65536.0 * CosTable()[back]);
    const int64_t s = static_cast<int64_t>(65536.0 * CosTable()[(back + 192u) & 255u]);
    return {sw * c / w, sh * s / h, sw * s / w, sh * c / h};
}

// Walks the rows of the box, clipping each row's span analytically to the source rectangle and the
// destination's width before handing it to the renderer. Wide is the narrowest integer type that holds every
// intermediate of this draw; the row loop divides several times per row, and narrow division is much faster.
template <typename Wide>
void DrawRows(TDXRMachine& machine, const TBox& box, Wide u, Wide v, const TSteps& steps, const TBounds& bounds,
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
    // Pixels left in the row from the box's left edge; the box starts inside the destination.
    const auto room = static_cast<Wide>(dstWidth - box.MinX);
    for (int64_t row = box.MinY; row < box.MaxY; ++row, u -= eu, v += ev) {
        Wide skip = 0;
        if (du > 0 && u < left)
            skip = (left - u + du - 1) / du;
        if (du < 0 && u >= right)
            skip = (right - u + du) / du;
        if (dv > 0 && v < top)
            skip = std::max<Wide>(skip, (top - v + dv - 1) / dv);
        if (dv < 0 && v >= bottom)
            skip = std::max<Wide>(skip, (bottom - v + dv) / dv);
        // A span starting past the destination's edge is empty; stopping here also keeps skip small.
        if (skip >= room)
            continue;
        const Wide u1 = u + skip * du;
        const Wide v1 = v + skip * dv;
        Wide n = du >= 0 ? (right - u1) / std::max<Wide>(du, 1) : (u1 - left) / -du;
        n = std::min<Wide>(n, dv >= 0 ? (bottom - v1) / std::max<Wide>(dv, 1) : (v1 - top) / -dv);
        n = std::min<Wide>(n, room - skip);
        if ((du == 0 && u1 < left) || (dv == 0 && v1 < top))
            n = 0;
        if (n <= 0)
            continue;
        machine.SetPosition(static_cast<int32_t>(box.MinX + static_cast<int64_t>(skip)), static_cast<int32_t>(row),
                            static_cast<int64_t>(u1), static_cast<int64_t>(v1));
        machine.RenderSpan(static_cast<int32_t>(n));
    }
}

Int128 Magnitude(Int128 value)
{
    return value < 0 ? -value : value;
}

// trunc(size * pivot * 65536), the pivot's source position in 16.16.
Int128 PivotPosition(int64_t size, double pivot)
{
    const long double position = static_cast<long double>(size) * pivot * 65536;
    if (std::fabs(position) < 0x1p61L)
        return TruncateExtended(position);
    return static_cast<Int128>(position);
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
    FSpan = enabled ? &Span<true> : &Span<false>;
}

void TDXRMachine::SetSteps(int64_t du, int64_t dv)
{
    FDU = du;
    FDV = dv;
}

void TDXRMachine::SetPosition(int32_t x, int32_t y, int64_t u, int64_t v)
{
    FX = x;
    FY = y;
    FU = u;
    FV = v;
}

template <bool Keyed>
void TDXRMachine::Span(const TDXRMachine& m, int32_t n)
{
    uint32_t* dst = m.FDst + m.FY * m.FDstPitch + m.FX;
    const uint32_t* src = m.FSrc;
    const std::ptrdiff_t pitch = m.FSrcPitch;
    const int64_t du = m.FDU;
    const int64_t dv = m.FDV;
    const uint32_t key = m.FKey;
    int64_t u = m.FU;
    int64_t v = m.FV;
    for (int32_t k = 0; k < n; ++k, u += du, v += dv) {
        const uint32_t pixel = src[(v >> 16) * pitch + (u >> 16)];
        if constexpr (Keyed) {
            const uint32_t colour = pixel & 0xFFFFFFu;
            if (colour != key)
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

void RenderRotated(const TLockedPixels& dst, const TLockedPixels& src, int32_t x, int32_t y, int32_t w, int32_t h,
                   const TRect& srcRect, double pivotX, double pivotY, bool transparent, uint32_t key,
                   int32_t angle)
{
    if (!dst.Bits || dst.Width <= 0 || dst.Height <= 0 || !src.Bits || src.Width <= 0 || src.Height <= 0 ||
        w == 0 || h == 0)
        return;
    if (!(0 <= srcRect.Left && srcRect.Left < srcRect.Right && srcRect.Right <= src.Width && 0 <= srcRect.Top &&
          srcRect.Top < srcRect.Bottom && srcRect.Bottom <= src.Height))
        return;
    TBox box;
    if (!CoveredBox(x, y, w, h, pivotX, pivotY, angle, dst.Width, dst.Height, box))
        return;

    const int64_t sw = int64_t{srcRect.Right} - srcRect.Left;
    const int64_t sh = int64_t{srcRect.Bottom} - srcRect.Top;
    const TSteps steps = Steps(sw, sh, w, h, angle);
    const TBounds bounds{int64_t{srcRect.Left} * 65536, int64_t{srcRect.Top} * 65536,
                         int64_t{srcRect.Right} * 65536, int64_t{srcRect.Bottom} * 65536};

    const Int128 u = PivotPosition(sw, pivotX) +
                     Int128{box.MinX - x} * steps.DU + Int128{y - box.MinY} * steps.EU + bounds.L;
    const Int128 v = PivotPosition(sh, pivotY) +
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
    machine.SetSteps(steps.DU, steps.DV);
    if (reach < Int128{1} << 29)
        DrawRows<int32_t>(machine, box, static_cast<int32_t>(u), static_cast<int32_t>(v), steps, bounds,
                          dst.Width);
    else if (reach < Int128{1} << 60)
        DrawRows<int64_t>(machine, box, static_cast<int64_t>(u), static_cast<int64_t>(v), steps, bounds,
                          dst.Width);
    else
        DrawRows<Int128>(machine, box, u, v, steps, bounds, dst.Width);
}
