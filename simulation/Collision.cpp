#include "simulation/Collision.h"

#include "drawing/ImageList.h"
#include "drawing/Surface.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Rounding.h"

namespace {

int32_t Trunc(double value)
{
    return static_cast<int32_t>(value);
}

} // namespace

TRect HullRect(const TQuibo& dinghy, const TSinTable& sin)
{
    const int32_t h1 = (dinghy.Image != nullptr ? dinghy.Image->Height() : 0) + 1;
    const int32_t w1 = (dinghy.Image != nullptr ? dinghy.Image->Width() : 0) + 1;
    const int32_t px = RoundHalfEven(dinghy.X);
    const int32_t py = RoundHalfEven(dinghy.Y);

    // Headings outside 1..360 never occur; folding keeps every index inside the table regardless.
    const int32_t h = ((dinghy.Heading - 1) % 360 + 360) % 360 + 1;
    int32_t a = h;
    if (a > 180)
        a -= 180;
    if (a > 90)
        a = 180 - a;
    const int32_t ey = Trunc(h1 * sin[a + 90]) + Trunc(w1 * sin[a]);
    const int32_t ex = Trunc(w1 * sin[a + 90]) + Trunc(h1 * sin[a]);
    const int32_t half = w1 / 2;
    auto T = [half](double v) { return Trunc(half * v); };

    TRect r;
    if (h <= 90) {
        r.Bottom = py + T(sin[h]);
        r.Right = px + ex - T(sin[h + 90]);
    } else if (h <= 180) {
        r.Bottom = py + ey - T(sin[h]);
        r.Right = px + ex - T(sin[h - 90]);
    } else if (h <= 270) {
        r.Bottom = py + ey - T(sin[h - 180]);
        r.Right = px + T(sin[h - 90]);
    } else {
        r.Bottom = py + T(sin[h - 180]);
        r.Right = px + T(sin[h + 90]);
    }
    r.Top = r.Bottom - ey;
    r.Left = r.Right - ex;
    return r;
}

void DrawOutline(TDirectDrawSurface& surface, const TRect& rect)
{
    for (int32_t x = rect.Left; x <= rect.Right; ++x) {
        surface.WritePixel(x, rect.Top, OutlineColor);
        surface.WritePixel(x, rect.Bottom, OutlineColor);
    }
    for (int32_t y = rect.Top; y <= rect.Bottom; ++y) {
        surface.WritePixel(rect.Left, y, OutlineColor);
        surface.WritePixel(rect.Right, y, OutlineColor);
    }
}

bool Touches(TDirectDrawSurface& surface, const TRect& area, uint32_t c, uint32_t n)
{
    // Every later touch in the area would only repeat the same explosion, so the first one decides.
    for (int64_t x = int64_t{area.Left} + 1; x < area.Right; x += 2) {
        for (int64_t y = int64_t{area.Top} + 1; y < area.Bottom; y += 2) {
            const auto px = static_cast<int32_t>(x);
            const auto py = static_cast<int32_t>(y);
            if (surface.ReadPixel(px, py) != c)
                continue;
            if (surface.ReadPixel(px - 1, py - 1) == n || surface.ReadPixel(px - 1, py + 1) == n ||
                surface.ReadPixel(px + 1, py - 1) == n || surface.ReadPixel(px + 1, py + 1) == n)
                return true;
        }
    }
    return false;
}

void TestContacts(TRace& race, const TRect (&hullRects)[2])
{
    TDirectDrawSurface* surface = race.Surface();
    if (surface == nullptr)
        return;
    TQuibo& green = *race.Dinghies[0];
    TQuibo& red = *race.Dinghies[1];

    // The green dinghy is drawn over the red one, so where they meet a green pixel has red diagonal neighbours.
    if (!green.Crashed && !red.Crashed) {
        const TRect overlap = Intersection(hullRects[0], hullRects[1]);
        if (!overlap.Empty() && Touches(*surface, overlap, GreenHullColor, RedHullColor)) {
            StartExplosion(green, race);
            StartExplosion(red, race);
        }
    }

    for (size_t d = 0; d < race.Dinghies.size(); ++d) {
        TQuibo& dinghy = *race.Dinghies[d];
        if (dinghy.Crashed)
            continue;
        const uint32_t hull = d == 0 ? GreenHullColor : RedHullColor;
        for (const TBoje* buoy : race.Buoys) {
            const TRect overlap = Intersection(buoy->HitRect, hullRects[d]);
            if (!overlap.Empty() && Touches(*surface, overlap, hull, BuoyColor)) {
                StartExplosion(dinghy, race);
                break;
            }
        }
    }
}
