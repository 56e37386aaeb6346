#pragma once
#include "platform/qt/PresentTransform.h"

#include <cstddef>
#include <cstdint>

// Computes the device pixels [x0, x1) x [y0, y1) of the shown frame (counted from its top-left device pixel)
// from the frame's 0x00RRGGBB pixels, as the transform's axes say; the top byte of each result is 0xFF.
// A device pixel that shows a single frame pixel gets its colour exactly.
void SharpScale(const uint32_t* frame, std::ptrdiff_t framePitch, const TPresentTransform& transform, uint32_t* shown,
    std::ptrdiff_t shownPitch, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
