#pragma once
// Where a rotated draw goes: its geometry (the turned rectangle's box about the pivot's pixel and the source steps,
// the same wherever it is drawn), its placement on a destination (the covered box and the source position at its
// top left pixel), and the one verdict of the integer width in which its spans are planned and drawn.
#include "drawing/FixedPoint.h"
#include "drawing/Rect.h"

#include <cstddef>
#include <cstdint>

// Source steps per destination pixel to the right (+DU, +DV) and per row down (-EU, +EV), in 16.16.
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

// Destination columns MinX..MaxX-1 and rows MinY..MaxY-1.
struct TBox {
    int64_t MinX;
    int64_t MaxX;
    int64_t MinY;
    int64_t MaxY;
};

struct TShapeGeometry {
    // False for a pivot so far off the picture that it lies beyond any 32-bit destination.
    bool Reachable = false;
    // The box of the turned rectangle's corners, relative to the pivot's pixel.
    TBox Box{};
    TSteps Steps{};
    // The pivot's source position relative to the source rectangle's corner, trunc(size * pivot) in 16.16.
    Int128 PivotU = 0;
    Int128 PivotV = 0;
};

// A source rectangle of sw x sh pixels drawn w x h large, its point (w * pivotX, h * pivotY) on the pivot's pixel,
// turned clockwise by angle (256 units to a full turn).
TShapeGeometry GeometryOf(int32_t w, int32_t h, int64_t sw, int64_t sh, double pivotX, double pivotY, int32_t angle);

// The integer width that every intermediate of a draw's planning and drawing fits: 32, 64 or 128 bits.
enum class TWidth { Narrow, Wide, Huge };

// A source pitch below this keeps a narrow draw's source indices (row times pitch plus column) in 32 bits.
constexpr std::ptrdiff_t kNarrowPitch = std::ptrdiff_t{1} << 17;

// The verdict for rows rows whose first starts at source position (u, v), each span at most room pixels long.
// The row starts move linearly, so the first and last rows bound them all. With every row start, step and bound
// below kNarrowBound (kWideBound), and a span step times the room too, no intermediate of the row walk or of a
// span kernel leaves 32 (64) bits.
TWidth WidthOf(Int128 u, Int128 v, int64_t rows, const TSteps& steps, const TBounds& bounds, int64_t room,
               std::ptrdiff_t srcPitch);

struct TPlacement {
    // The covered box, clipped to the destination.
    TBox Box{};
    TBounds Bounds{};
    // The source position at the box's top left pixel.
    Int128 U = 0;
    Int128 V = 0;
    TWidth Width = TWidth::Huge;
};

// Places the shape's pivot on destination pixel (x, y) with srcRect as its source rectangle. False when that
// leaves nothing to draw.
bool Place(const TShapeGeometry& shape, int32_t x, int32_t y, const TRect& srcRect, int32_t dstWidth,
           int32_t dstHeight, std::ptrdiff_t srcPitch, TPlacement& placement);
