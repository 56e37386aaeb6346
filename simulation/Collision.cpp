#include "simulation/Collision.h"

#include "drawing/ImageList.h"
#include "drawing/Surface.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Rounding.h"
#include "sprites/Saturating.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int64_t Trunc(double value)
{
    return static_cast<int64_t>(value);
}

// Positions far beyond any surface (a dinghy sailing for days) are held at a distance that keeps every
// sum below in 64 bits; the rectangle is then off the surface either way.
int64_t RoundPosition(double value)
{
    constexpr double Far = 1e15;
    if (!(value > -Far))
        return value < 0 ? static_cast<int64_t>(-Far) : 0; // NaN: nowhere in particular
    if (value > Far)
        return static_cast<int64_t>(Far);
    return std::llrint(value);
}

} // namespace

TRect HullRect(const TQuibo& dinghy, const TSinTable& sin)
{
    const int64_t h1 = int64_t{dinghy.Image != nullptr ? dinghy.Image->Height() : 0} + 1;
    const int64_t w1 = int64_t{dinghy.Image != nullptr ? dinghy.Image->Width() : 0} + 1;
    const int64_t px = RoundPosition(dinghy.X);
    const int64_t py = RoundPosition(dinghy.Y);

    const int32_t h = FoldDegrees(dinghy.Heading);
    int32_t a = h;
    if (a > 180)
        a -= 180;
    if (a > 90)
        a = 180 - a;
    const int64_t ey = Trunc(static_cast<double>(h1) * sin[a + 90]) + Trunc(static_cast<double>(w1) * sin[a]);
    const int64_t ex = Trunc(static_cast<double>(w1) * sin[a + 90]) + Trunc(static_cast<double>(h1) * sin[a]);
    const int64_t half = w1 / 2;
    auto T = [half](double v) { return Trunc(static_cast<double>(half) * v); };

    // Worked out in 64 bits and held to the 32-bit range at the end: the same rectangle wherever it fits.
    int64_t bottom = 0;
    int64_t right = 0;
    if (h <= 90) {
        bottom = py + T(sin[h]);
        right = px + ex - T(sin[h + 90]);
    } else if (h <= 180) {
        bottom = py + ey - T(sin[h]);
        right = px + ex - T(sin[h - 90]);
    } else if (h <= 270) {
        bottom = py + ey - T(sin[h - 180]);
        right = px + T(sin[h - 90]);
    } else {
        bottom = py + T(sin[h - 180]);
        right = px + T(sin[h + 90]);
    }
    TRect r;
    r.Bottom = SaturateToInt32(bottom);
    r.Right = SaturateToInt32(right);
    r.Top = SaturateToInt32(bottom - ey);
    r.Left = SaturateToInt32(right - ex);
    return r;
}

void DrawOutline(TDirectDrawSurface& surface, const TRect& rect)
{
    // Writes off the surface are dropped, so only the part of each line on it is walked; the counters are
    // 64 bits wide so a line ending at the largest coordinate still ends.
    const int64_t xFrom = std::max<int64_t>(rect.Left, 0);
    const int64_t xTo = std::min<int64_t>(rect.Right, int64_t{surface.Width()} - 1);
    for (int64_t x = xFrom; x <= xTo; ++x) {
        surface.WritePixel(static_cast<int32_t>(x), rect.Top, OutlineColor);
        surface.WritePixel(static_cast<int32_t>(x), rect.Bottom, OutlineColor);
    }
    const int64_t yFrom = std::max<int64_t>(rect.Top, 0);
    const int64_t yTo = std::min<int64_t>(rect.Bottom, int64_t{surface.Height()} - 1);
    for (int64_t y = yFrom; y <= yTo; ++y) {
        surface.WritePixel(rect.Left, static_cast<int32_t>(y), OutlineColor);
        surface.WritePixel(rect.Right, static_cast<int32_t>(y), OutlineColor);
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

TContacts TestContacts(TRace& race, const TRect (&hullRects)[2], bool explode)
{
    TContacts contacts;
    TDirectDrawSurface* surface = race.Surface();
    if (surface == nullptr)
        return contacts;
    TQuibo& green = *race.Dinghies[0];
    TQuibo& red = *race.Dinghies[1];

    // The green dinghy is drawn over the red one, so where they meet a green pixel has red diagonal neighbours.
    if (!green.Crashed && !red.Crashed) {
        const TRect overlap = Intersection(hullRects[0], hullRects[1]);
        if (!overlap.Empty() && Touches(*surface, overlap, GreenHullColor, RedHullColor)) {
            contacts.Dinghies = true;
            if (explode) {
                StartExplosion(green, race);
                StartExplosion(red, race);
            }
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
                contacts.Buoy[d] = true;
                if (explode)
                    StartExplosion(dinghy, race);
                break;
            }
        }
    }
    return contacts;
}
