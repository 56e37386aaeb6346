#pragma once
// The rotated draw of pixel surfaces. Its parts are in drawing/rotated/: the placement of a draw and its width
// verdict (Placement), the row walk (RowWalker), the kept shapes (KeptShapes) and the span kernels (SpanKernels
// and one file per instruction set). The slow, obviously correct version that the tests compare it with, pixel for
// pixel, is tests/drawing/ReferenceRenderer.h.
#include "drawing/Rect.h"
#include "drawing/Surface.h"

#include <cstdint>

// Draws srcRect of the locked source into the locked destination, w x h large, its point (w * pivotX,
// h * pivotY) on (x, y), turned clockwise by angle (256 units to a full turn). Draws nothing for a srcRect
// that leaves the source, for w or h of 0, or where the picture cannot reach the destination. Returns the
// destination rectangle that holds every pixel drawn (empty when nothing was drawn).
TRect RenderRotated(const TLockedPixels& dst, const TLockedPixels& src, int32_t x, int32_t y, int32_t w, int32_t h,
                   const TRect& srcRect, double pivotX, double pivotY, bool transparent, uint32_t key,
                   int32_t angle);
