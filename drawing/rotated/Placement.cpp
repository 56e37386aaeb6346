#include "drawing/rotated/Placement.h"

#include "drawing/CosTable.h"
#include "drawing/rotated/Truncate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A pivot this far from the picture's corner puts the whole picture beyond any 32-bit destination.
constexpr long double kUnreachable = 0x1p59L;

TSteps StepsOf(int64_t sw, int64_t sh, int32_t w, int32_t h, int32_t angle)
{
    // The steps turn back: the source is sampled at the angle's negative.
    const uint32_t back = (0u - static_cast<uint32_t>(angle)) & 255u;
    constexpr auto one = static_cast<double>(kFixedOne);
    const auto c = static_cast<int64_t>(one * CosTable()[back]);
    const auto s = static_cast<int64_t>(one * CosTable()[(back + 192u) & 255u]);
    return {sw * c / w, sh * s / h, sw * s / w, sh * c / h};
}

// trunc(size * pivot) in 16.16.
Int128 PivotPosition(int64_t size, double pivot)
{
    const long double position = static_cast<long double>(size) * pivot * kFixedOne;
    if (std::fabs(position) < 0x1p61L)
        return TruncateExtended(position);
    return static_cast<Int128>(position);
}

} // namespace

TShapeGeometry GeometryOf(int32_t w, int32_t h, int64_t sw, int64_t sh, double pivotX, double pivotY, int32_t angle)
{
    TShapeGeometry shape;
    const long double px = static_cast<long double>(w) * pivotX;
    const long double py = static_cast<long double>(h) * pivotY;
    shape.Reachable = std::fabs(px) < kUnreachable && std::fabs(py) < kUnreachable;
    if (!shape.Reachable)
        return shape;
    const long double c = CosOfAngle(angle);
    const long double s = SinOfAngle(angle);
    // The bounds on px and py keep every value below well within 64 bits.
    const long double dxs[] = {static_cast<long double>(TruncateExtended(-px)),
                               static_cast<long double>(TruncateExtended(w - px))};
    const long double dys[] = {static_cast<long double>(TruncateExtended(-py)),
                               static_cast<long double>(TruncateExtended(h - py))};
    TBox& box = shape.Box;
    box = {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min(),
           std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    for (const long double dx : dxs) {
        for (const long double dy : dys) {
            const int64_t cornerX = TruncateExtended(dx * c - dy * s);
            const int64_t cornerY = TruncateExtended(dx * s + dy * c);
            box.MinX = std::min(box.MinX, cornerX);
            box.MaxX = std::max(box.MaxX, cornerX);
            box.MinY = std::min(box.MinY, cornerY);
            box.MaxY = std::max(box.MaxY, cornerY);
        }
    }
    shape.Steps = StepsOf(sw, sh, w, h, angle);
    shape.PivotU = PivotPosition(sw, pivotX);
    shape.PivotV = PivotPosition(sh, pivotY);
    return shape;
}

TWidth WidthOf(Int128 u, Int128 v, int64_t rows, const TSteps& steps, const TBounds& bounds, int64_t room,
               std::ptrdiff_t srcPitch)
{
    const Int128 lastRow = rows - 1;
    const Int128 rowReach = std::max({Magnitude(u), Magnitude(v), Magnitude(u - lastRow * steps.EU),
                                      Magnitude(v + lastRow * steps.EV)});
    const int64_t stepReach = std::max({std::abs(steps.DU), std::abs(steps.DV), std::abs(steps.EU),
                                        std::abs(steps.EV), bounds.R, bounds.B});
    const Int128 spanReach = Int128{room} * std::max(std::abs(steps.DU), std::abs(steps.DV));
    const Int128 reach = std::max({rowReach, Int128{stepReach}, spanReach});
    if (reach < kNarrowBound && srcPitch < kNarrowPitch)
        return TWidth::Narrow;
    return reach < kWideBound ? TWidth::Wide : TWidth::Huge;
}

bool Place(const TShapeGeometry& shape, int32_t x, int32_t y, const TRect& srcRect, int32_t dstWidth,
           int32_t dstHeight, std::ptrdiff_t srcPitch, TPlacement& placement)
{
    if (!shape.Reachable)
        return false;
    TBox& box = placement.Box;
    box = {std::max<int64_t>(shape.Box.MinX + x, 0), std::min<int64_t>(shape.Box.MaxX + x, dstWidth),
           std::max<int64_t>(shape.Box.MinY + y, 0), std::min<int64_t>(shape.Box.MaxY + y, dstHeight)};
    if (box.MinX > dstWidth || box.MaxX <= 0 || box.MaxX - box.MinX <= 0 || box.MinY > dstHeight ||
        box.MaxY <= 0 || box.MaxY - box.MinY <= 0)
        return false;
    const TSteps& steps = shape.Steps;
    placement.Bounds = {ToFixed(srcRect.Left), ToFixed(srcRect.Top), ToFixed(srcRect.Right),
                        ToFixed(srcRect.Bottom)};
    placement.U = shape.PivotU + Int128{box.MinX - x} * steps.DU + Int128{y - box.MinY} * steps.EU +
                  placement.Bounds.L;
    placement.V = shape.PivotV + Int128{box.MinX - x} * steps.DV - Int128{y - box.MinY} * steps.EV +
                  placement.Bounds.T;
    placement.Width = WidthOf(placement.U, placement.V, box.MaxY - box.MinY, steps, placement.Bounds, dstWidth,
                              srcPitch);
    return true;
}
