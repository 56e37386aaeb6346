#include "drawing/rotated/KeptShapes.h"

#include <array>
#include <cstring>

namespace {

uint64_t Bits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// How far from the box's left edge a kept run may end.
int64_t Reachable(const TBox& box)
{
    return 2 * (box.MaxX - box.MinX) + 16;
}

} // namespace

TShape& ShapeOf(int32_t w, int32_t h, int64_t sw, int64_t sh, double pivotX, double pivotY, int32_t angle)
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
    shape.W = w;
    shape.H = h;
    shape.SW = sw;
    shape.SH = sh;
    shape.PivotXBits = px;
    shape.PivotYBits = py;
    shape.Angle = turn;
    shape.Valid = true;
    shape.Geometry = GeometryOf(w, h, sw, sh, pivotX, pivotY, angle);
    shape.Kept = false;
    shape.Unkeepable = false;
    shape.Walked = false;
    shape.RunCount = 0;
    return shape;
}

bool DrawsKept(const TShape& shape, int32_t x, int32_t y, int32_t dstWidth, int32_t dstHeight)
{
    return shape.Kept && shape.Extent.MinX + x >= 0 && shape.Extent.MaxX + x <= dstWidth &&
           shape.Extent.MinY + y >= 0 && shape.Extent.MaxY + y <= dstHeight;
}

TRunKeeper::TRunKeeper(TShape& shape, int32_t x, int32_t y, const TBounds& bounds, int32_t dstWidth,
                       int32_t dstHeight)
{
    if (shape.Kept || shape.Unkeepable || !shape.Geometry.Reachable)
        return;
    if (!shape.Walked) {
        shape.Walked = true;
        return;
    }
    const TBox& box = shape.Geometry.Box;
    const bool small = box.MaxY - box.MinY <= kKeptRuns && box.MaxX - box.MinX <= 4 * kKeptRuns;
    const bool near = box.MinX >= -kKeptBound && box.MaxX <= kKeptBound && box.MinY >= -kKeptBound &&
                      box.MaxY <= kKeptBound;
    const bool unclipped =
        box.MinX + x >= 0 && box.MaxX + x <= dstWidth && box.MinY + y >= 0 && box.MaxY + y <= dstHeight;
    if (!small || !near || !unclipped)
        return;
    FShape = &shape;
    FOrigin = {x, y, bounds.L, bounds.T};
    FRight = box.MaxX;
    FReach = box.MinX + Reachable(box);
}

void TRunKeeper::Finish()
{
    if (!FShape)
        return;
    const TBox& box = FShape->Geometry.Box;
    FShape->RunCount = FCount;
    FShape->Extent = {box.MinX, FRight, box.MinY, box.MaxY};
    FShape->Kept = true;
}
