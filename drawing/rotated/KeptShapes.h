#pragma once
// The shapes of recent rotated draws, with the spans of a draw that the destination did not clip. A sprite is
// drawn the same way frame after frame: an unclipped draw of a known shape only moves its kept spans into place.
// A turning sprite draws each shape only once, so spans are kept from a shape's second draw on.
#include "drawing/rotated/Placement.h"
#include "drawing/rotated/SpanKernels.h"

#include <algorithm>
#include <cstdint>

// Shapes with more rows than this, or a box more than four times as wide, are not kept: the sprites have well
// under a hundred.
constexpr int32_t kKeptRuns = 128;

struct TShape {
    int32_t W = 0;
    int32_t H = 0;
    int64_t SW = 0;
    int64_t SH = 0;
    uint64_t PivotXBits = 0;
    uint64_t PivotYBits = 0;
    uint32_t Angle = 0;
    bool Valid = false;
    TShapeGeometry Geometry;

    // The runs of an unclipped draw, relative to the pivot's pixel and the source rectangle's corner. Extent
    // holds the box and every run; a run may pass the box's right edge.
    bool Kept = false;
    // A run passes the box's right edge by so much that the shape is not worth keeping.
    bool Unkeepable = false;
    // A draw has walked the shape's rows: the next one keeps its runs.
    bool Walked = false;
    TBox Extent{};
    int32_t RunCount = 0;
    TSpanRun Runs[kKeptRuns];
};

// The shape of a draw, from a small cache of recent ones (drawing happens on one thread only).
TShape& ShapeOf(int32_t w, int32_t h, int64_t sw, int64_t sh, double pivotX, double pivotY, int32_t angle);

// Whether the shape's kept runs are the whole draw with the pivot's pixel on (x, y): the destination clips none.
bool DrawsKept(const TShape& shape, int32_t x, int32_t y, int32_t dstWidth, int32_t dstHeight);

// Keeps the runs of a draw as its shape's, if the destination clips none of them. The draw hands over every
// row's run as it plans it: Add is inline, so that a keeper local to the row loop stays in registers.
class TRunKeeper {
public:
    // Keeps nothing for a shape already kept or not worth keeping, a shape's first draw, or a draw whose box the
    // destination clips.
    TRunKeeper(TShape& shape, int32_t x, int32_t y, const TBounds& bounds, int32_t dstWidth, int32_t dstHeight);
    // A row that the destination's right edge may have cut short ends the keeping.
    void Stop() { FShape = nullptr; }
    void Add(const TSpanRun& run)
    {
        if (!FShape)
            return;
        const int64_t x = int64_t{run.X} - FOrigin.X;
        if (x + run.Count > FReach) {
            FShape->Unkeepable = true;
            FShape = nullptr;
            return;
        }
        FShape->Runs[FCount++] = {run.U - FOrigin.U, run.V - FOrigin.V, static_cast<int32_t>(x), run.Y - FOrigin.Y,
                                  run.Count};
        FRight = std::max(FRight, x + run.Count);
    }
    // The kept runs are the shape's from now on, unless keeping stopped.
    void Finish();

private:
    TShape* FShape = nullptr;
    TRunOrigin FOrigin{};
    int64_t FRight = 0;
    // The furthest a run may end, relative to the pivot's pixel.
    int64_t FReach = 0;
    int32_t FCount = 0;
};
