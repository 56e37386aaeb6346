#pragma once
#include "drawing/Rect.h"

#include <array>
#include <cstdint>
#include <span>

// Where a surface's pixels changed: a few rectangles that together cover every change (and may cover a little
// more). Holds a fixed number of them, so keeping track never allocates; a rectangle that finds no room is
// merged into the one it enlarges least.
class TChangedArea {
public:
    static constexpr int32_t Capacity = 64;

    bool Empty() const { return !FAll && FCount == 0; }
    // Everything changed; Rects() is then empty.
    bool All() const { return FAll; }
    std::span<const TRect> Rects() const { return {FRects.data(), static_cast<size_t>(FCount)}; }

    // Empty rectangles are ignored.
    void Add(const TRect& r);
    void AddAll();
    void Clear();

private:
    std::array<TRect, Capacity> FRects{};
    int32_t FCount = 0;
    bool FAll = false;
};
