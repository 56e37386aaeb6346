#pragma once
#include <cstdint>

// Left, Top inclusive; Right, Bottom exclusive.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Empty() const { return Left >= Right || Top >= Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The overlap of two rectangles; Empty() when they do not overlap.
inline TRect Intersection(const TRect& a, const TRect& b)
{
    TRect r;
    r.Left = a.Left > b.Left ? a.Left : b.Left;
    r.Top = a.Top > b.Top ? a.Top : b.Top;
    r.Right = a.Right < b.Right ? a.Right : b.Right;
    r.Bottom = a.Bottom < b.Bottom ? a.Bottom : b.Bottom;
    return r;
}
