#include "drawing/RotatedRenderer.h"

#include "drawing/rotated/KeptShapes.h"
#include "drawing/rotated/Placement.h"
#include "drawing/rotated/RowWalker.h"
#include "drawing/rotated/SpanLoops.h"

namespace {

// Walks the rows of the placed box in the width its verdict allows, planning each row's span within the
// destination's width, and hands the spans to the renderer a batch at a time; the shape's keeper sees every one.
// The keeper is local here, not the caller's, so that its fields stay in registers through the loop.
template <typename Wide>
TRect DrawRows(const TDXRMachine& machine, const TPlacement& placement, const TSteps& steps, TShape& shape,
               int32_t x, int32_t y, int32_t dstWidth, int32_t dstHeight)
{
    TRunKeeper keeper(shape, x, y, placement.Bounds, dstWidth, dstHeight);
    const TBox& box = placement.Box;
    TRowWalker<Wide> rows(static_cast<Wide>(placement.U), static_cast<Wide>(placement.V), steps, placement.Bounds);
    // Pixels left in the row from the box's left edge; the box starts inside the destination.
    const auto room = static_cast<Wide>(dstWidth - box.MinX);
    constexpr int32_t kBatch = 64;
    TSpanRun runs[kBatch];
    int32_t count = 0;
    TWrittenArea drawn;
    for (int64_t row = box.MinY; row < box.MaxY; ++row, rows.Next()) {
        const auto span = rows.Plan(room);
        // A span that starts or ends at the destination's right edge may be a shorter one than the shape's.
        if (span.Skip >= room || span.Count >= room - span.Skip)
            keeper.Stop();
        if (span.Count <= 0)
            continue;
        // A span may reach past the box's right edge, as far as the destination's.
        runs[count] = {static_cast<int64_t>(span.U), static_cast<int64_t>(span.V),
                       static_cast<int32_t>(box.MinX + static_cast<int64_t>(span.Skip)), static_cast<int32_t>(row),
                       static_cast<int32_t>(span.Count)};
        keeper.Add(runs[count]);
        if (++count == kBatch) {
            drawn.Add(machine.RenderSpans(runs, count, {0, 0, 0, 0}));
            count = 0;
        }
    }
    drawn.Add(machine.RenderSpans(runs, count, {0, 0, 0, 0}));
    keeper.Finish();
    return drawn.Rect();
}

} // namespace

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
    TShape& shape = ShapeOf(w, h, sw, sh, pivotX, pivotY, angle);
    TPlacement placement;
    if (!Place(shape.Geometry, x, y, srcRect, dst.Width, dst.Height, src.PitchPixels, placement))
        return {};
    const TSteps& steps = shape.Geometry.Steps;

    TDXRMachine& machine = DXRMachine();
    machine.SetDestination(dst.Bits, dst.PitchPixels);
    machine.SetSource(src.Bits, src.PitchPixels);
    machine.SetColorKey(transparent, key);
    machine.SetSteps(steps.DU, steps.DV, placement.Width == TWidth::Narrow);
    if (DrawsKept(shape, x, y, dst.Width, dst.Height))
        return machine.RenderSpans(shape.Runs, shape.RunCount, {x, y, placement.Bounds.L, placement.Bounds.T});
    switch (placement.Width) {
    case TWidth::Narrow:
        return DrawRows<int32_t>(machine, placement, steps, shape, x, y, dst.Width, dst.Height);
    case TWidth::Wide:
        return DrawRows<int64_t>(machine, placement, steps, shape, x, y, dst.Width, dst.Height);
    case TWidth::Huge:
        break;
    }
    return DrawRows<Int128>(machine, placement, steps, shape, x, y, dst.Width, dst.Height);
}
