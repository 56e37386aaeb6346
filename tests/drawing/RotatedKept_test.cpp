// The kept spans of a shape: kept by the first draw after the shape's first that the destination does not clip, and
// wherever the shape goes next, with whatever source rectangle of its size, the spans a fresh walk would plan there.
#include "SurfaceFixtures.h"
#include "drawing/rotated/KeptShapes.h"
#include "drawing/rotated/RowWalker.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using TRunFields = std::tuple<int64_t, int64_t, int32_t, int32_t, int32_t>;

TRunFields Fields(const TSpanRun& run, const TRunOrigin& origin)
{
    return {run.U + origin.U, run.V + origin.V, run.X + origin.X, run.Y + origin.Y, run.Count};
}

// The spans of the placed shape as the draw walks them, in 128 bits.
std::vector<TRunFields> FreshWalk(const TShape& shape, const TPlacement& placement, int32_t dstWidth)
{
    std::vector<TRunFields> runs;
    TRowWalker<Int128> walker(placement.U, placement.V, shape.Geometry.Steps, placement.Bounds);
    const TBox& box = placement.Box;
    for (int64_t y = box.MinY; y < box.MaxY; ++y, walker.Next()) {
        const auto span = walker.Plan(dstWidth - box.MinX);
        if (span.Count > 0)
            runs.emplace_back(static_cast<int64_t>(span.U), static_cast<int64_t>(span.V),
                              static_cast<int32_t>(box.MinX + static_cast<int64_t>(span.Skip)),
                              static_cast<int32_t>(y), static_cast<int32_t>(span.Count));
    }
    return runs;
}

// One shape of a draw: the source rectangle's size, the drawn size, the pivot and the angle.
struct TKeptCase {
    int32_t Sw, Sh, W, H;
    double PivotX, PivotY;
    int32_t Angle;
};

// The shape's kept spans, moved to (x, y) over srcRect of a size x size target, against a fresh walk there.
void ExpectKeptSpansOfAFreshWalk(const TShape& shape, int32_t x, int32_t y, const TRect& srcRect,
                                 int32_t sourceWidth, int32_t size, int32_t angle)
{
    TPlacement placement;
    ASSERT_TRUE(Place(shape.Geometry, x, y, srcRect, size, size, sourceWidth, placement)) << angle;
    std::vector<TRunFields> kept;
    for (int32_t i = 0; i < shape.RunCount; ++i)
        kept.push_back(Fields(shape.Runs[i], {x, y, placement.Bounds.L, placement.Bounds.T}));
    EXPECT_EQ(kept, FreshWalk(shape, placement, size)) << angle;
}

TEST(RotatedKept, AnUnclippedDrawKeepsTheSpansAFreshWalkPlansElsewhere)
{
    // Pivots no other test uses, so that no earlier draw has kept these shapes.
    const TKeptCase shapes[] = {{30, 57, 30, 57, 0.4375, 0.9375, 26}, {30, 57, 30, 57, 0.4375, 0.9375, 64},
                  {39, 40, 39, 40, 0.0625, 0.0625, 122}, {15, 15, 15, 15, 0.5625, 0.4375, 0},
                  {30, 57, 45, 38, 0.3125, 0.6875, 90},  {41, 41, -41, -41, 0.5625, 0.5625, 200}};
    constexpr int32_t size = 300;
    TDirectDraw device;
    for (const auto& s : shapes) {
        auto source = MakePattern(device, 2 * s.Sw + 3, s.Sh + 1);
        auto target = MakeSurface(device, size, size);
        const TRect first{0, 0, s.Sw, s.Sh};
        // Clipped by the left edge: nothing kept yet.
        target->DrawSurfaceRotated(2, 150, s.W, s.H, first, source.Get(), s.PivotX, s.PivotY, true, s.Angle);
        EXPECT_FALSE(ShapeOf(s.W, s.H, s.Sw, s.Sh, s.PivotX, s.PivotY, s.Angle).Kept) << s.Angle;
        target->DrawSurfaceRotated(150, 150, s.W, s.H, first, source.Get(), s.PivotX, s.PivotY, true, s.Angle);
        const TShape& shape = ShapeOf(s.W, s.H, s.Sw, s.Sh, s.PivotX, s.PivotY, s.Angle);
        ASSERT_TRUE(shape.Kept) << s.Angle;
        ASSERT_GT(shape.RunCount, 0) << s.Angle;

        const TRect other{s.Sw + 3, 1, 2 * s.Sw + 3, s.Sh + 1};
        ASSERT_TRUE(DrawsKept(shape, 97, 181, size, size));
        ExpectKeptSpansOfAFreshWalk(shape, 97, 181, other, source->Width(), size, s.Angle);
    }
}

TEST(RotatedKept, AShapeDrawnOnceKeepsNothingAndItsSecondDrawKeepsAFreshWalk)
{
    // A turning sprite draws each of its shapes once: the first draw, though unclipped, keeps nothing, and the
    // second keeps what a fresh walk plans. Pivots no other test uses, so that these shapes start unseen.
    const TKeptCase shapes[] = {{30, 57, 30, 57, 0.5625, 0.8125, 26}, {39, 40, 39, 40, 0.1875, 0.0625, 77},
                  {15, 15, 15, 15, 0.6875, 0.3125, 0}};
    constexpr int32_t size = 200;
    TDirectDraw device;
    for (const auto& s : shapes) {
        auto source = MakePattern(device, s.Sw, s.Sh);
        auto target = MakeSurface(device, size, size);
        const TRect whole{0, 0, s.Sw, s.Sh};
        target->DrawSurfaceRotated(100, 100, s.W, s.H, whole, source.Get(), s.PivotX, s.PivotY, true, s.Angle);
        EXPECT_FALSE(ShapeOf(s.W, s.H, s.Sw, s.Sh, s.PivotX, s.PivotY, s.Angle).Kept) << s.Angle;
        target->DrawSurfaceRotated(90, 110, s.W, s.H, whole, source.Get(), s.PivotX, s.PivotY, true, s.Angle);
        const TShape& shape = ShapeOf(s.W, s.H, s.Sw, s.Sh, s.PivotX, s.PivotY, s.Angle);
        ASSERT_TRUE(shape.Kept) << s.Angle;
        ExpectKeptSpansOfAFreshWalk(shape, 90, 110, whole, source->Width(), size, s.Angle);
    }
}

} // namespace
