#pragma once
// A slow rotated draw for comparison with the real one. It decides every destination pixel on its own, from
// the source position the row and column formulas give there, with 128-bit integers throughout.
#include "drawing/CosTable.h"
#include "drawing/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

struct TRotatedCall {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t W = 0;
    int32_t H = 0;
    TRect SrcRect;
    double PivotX = 0;
    double PivotY = 0;
    bool Transparent = false;
    int32_t Angle = 0;
};

namespace reference {

__extension__ typedef __int128 Int128;

inline Int128 Trunc128(long double value)
{
    return static_cast<Int128>(std::trunc(value));
}

// Quotient truncated toward zero, as the integer steps are defined.
inline Int128 Quot(Int128 a, Int128 b)
{
    return a / b;
}

} // namespace reference

inline void ReferenceDrawRotated(TDirectDrawSurface& dst, TDirectDrawSurface& src, const TRotatedCall& call)
{
    using reference::Int128;
    const int32_t dw = dst.Width();
    const int32_t dh = dst.Height();
    const TRect& r = call.SrcRect;
    if (dw <= 0 || dh <= 0 || call.W == 0 || call.H == 0 || src.Width() <= 0 || src.Height() <= 0)
        return;
    if (r.Left < 0 || r.Left >= r.Right || r.Right > src.Width() || r.Top < 0 || r.Top >= r.Bottom ||
        r.Bottom > src.Height())
        return;
    const long double px = static_cast<long double>(call.W) * call.PivotX;
    const long double py = static_cast<long double>(call.H) * call.PivotY;
    // Far enough out that the 128-bit positions below cannot overflow.
    if (!(std::fabs(px) < 0x1p90L && std::fabs(py) < 0x1p90L))
        return;

    const long double c = CosTable()[static_cast<uint32_t>(call.Angle) & 255u];
    const long double s = CosTable()[(static_cast<uint32_t>(call.Angle) + 192u) & 255u];
    Int128 minX = std::numeric_limits<int64_t>::max();
    Int128 maxX = std::numeric_limits<int64_t>::min();
    Int128 minY = minX;
    Int128 maxY = maxX;
    const int32_t cornersX[] = {0, call.W, 0, call.W};
    const int32_t cornersY[] = {0, 0, call.H, call.H};
    for (int i = 0; i < 4; ++i) {
        const long double dx = std::trunc(cornersX[i] - px);
        const long double dy = std::trunc(cornersY[i] - py);
        const Int128 x = reference::Trunc128(dx * c - dy * s) + call.X;
        const Int128 y = reference::Trunc128(dx * s + dy * c) + call.Y;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    minX = std::max<Int128>(minX, 0);
    minY = std::max<Int128>(minY, 0);
    maxX = std::min<Int128>(maxX, dw);
    maxY = std::min<Int128>(maxY, dh);
    if (minX > dw || maxX <= 0 || maxX <= minX || minY > dh || maxY <= 0 || maxY <= minY)
        return;

    const Int128 sw = r.Right - r.Left;
    const Int128 sh = r.Bottom - r.Top;
    const uint32_t back = (0u - static_cast<uint32_t>(call.Angle)) & 255u;
    const Int128 bigC = static_cast<int64_t>(65536.0 * CosTable()[back]);
    const Int128 bigS = static_cast<int64_t>(65536.0 * CosTable()[(back + 192u) & 255u]);
    const Int128 du = reference::Quot(sw * bigC, call.W);
    const Int128 dv = reference::Quot(sh * bigS, call.H);
    const Int128 eu = reference::Quot(sw * bigS, call.W);
    const Int128 ev = reference::Quot(sh * bigC, call.H);
    const Int128 left = Int128{r.Left} * 65536;
    const Int128 top = Int128{r.Top} * 65536;
    const Int128 right = Int128{r.Right} * 65536;
    const Int128 bottom = Int128{r.Bottom} * 65536;
    const Int128 u00 = reference::Trunc128(static_cast<long double>(sw) * call.PivotX * 65536) + left;
    const Int128 v00 = reference::Trunc128(static_cast<long double>(sh) * call.PivotY * 65536) + top;
    const uint32_t key = src.ColorKey() & 0xFFFFFFu;

    for (Int128 y = minY; y < maxY; ++y) {
        const auto uAt = [&](Int128 x) { return u00 + (x - call.X) * du + (call.Y - y) * eu; };
        const auto vAt = [&](Int128 x) { return v00 + (x - call.X) * dv - (call.Y - y) * ev; };
        // A pixel has entered the source once it is past the edge the steps move away from.
        const auto entered = [&](Int128 x) {
            const Int128 u = uAt(x);
            const Int128 v = vAt(x);
            return (du > 0 ? u >= left : du < 0 ? u < right : true) &&
                   (dv > 0 ? v >= top : dv < 0 ? v < bottom : true);
        };
        Int128 entry = minX;
        while (entry < dw && !entered(entry))
            ++entry;
        for (Int128 x = entry; x < dw; ++x) {
            const Int128 u = uAt(x);
            const Int128 v = vAt(x);
            // A pixel is drawn only when one more step would still not leave the source; without a step
            // the run is as long as the distance to the far edge in 16.16 units.
            const bool inU = du > 0 ? u + du <= right : du < 0 ? u + du >= left : u >= left && x - entry < right - u;
            const bool inV = dv > 0 ? v + dv <= bottom : dv < 0 ? v + dv >= top : v >= top && x - entry < bottom - v;
            if (!inU || !inV)
                continue;
            const uint32_t pixel = src.ReadPixel(static_cast<int32_t>(u >> 16), static_cast<int32_t>(v >> 16));
            const auto dx = static_cast<int32_t>(x);
            const auto dy = static_cast<int32_t>(y);
            if (!call.Transparent)
                dst.WritePixel(dx, dy, pixel);
            else if ((pixel & 0xFFFFFFu) != key)
                dst.WritePixel(dx, dy, pixel & 0xFFFFFFu);
        }
    }
}
