#include "simulation/helm/HelmGeometry.h"

#include "simulation/Rounding.h"

#include <cmath>
#include <cstdlib>

TPointD HeadingVector(int32_t heading, const TSinTable& sin)
{
    const int32_t h = FoldDegrees(heading);
    return {sin[static_cast<size_t>(h)], -sin[static_cast<size_t>(h + 90)]};
}

int32_t BearingOf(TPointD from, TPointD to, const TSinTable& sin)
{
    const double east = to.X - from.X;
    const double north = from.Y - to.Y;
    const double ax = std::fabs(east);
    const double ay = std::fabs(north);
    if (ax == 0 && ay == 0)
        return 360;
    // The angle d (0..45) off the nearer axis: the largest whose tangent is at most small / big, found by
    // comparing cross products, then d or d + 1, whichever tangent lies nearer.
    const double small = ax < ay ? ax : ay;
    const double big = ax < ay ? ay : ax;
    const auto tanAtMost = [&](int32_t d) {
        return sin[static_cast<size_t>(d)] * big <= small * sin[static_cast<size_t>(d + 90)];
    };
    int32_t lo = 0;
    int32_t hi = 45;
    while (lo < hi) {
        const int32_t mid = (lo + hi + 1) / 2;
        if (tanAtMost(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    int32_t d = lo;
    if (d < 45) {
        const double ratio = small / big;
        const double below = sin[static_cast<size_t>(d)] / sin[static_cast<size_t>(d + 90)];
        const double above = sin[static_cast<size_t>(d + 1)] / sin[static_cast<size_t>(d + 91)];
        if (above - ratio < ratio - below)
            ++d;
    }
    const int32_t offNorth = ax <= ay ? d : 90 - d; // 0..90 from the north-south axis
    int32_t bearing = 0;
    if (east >= 0)
        bearing = north >= 0 ? offNorth : 180 - offNorth;
    else
        bearing = north >= 0 ? 360 - offNorth : 180 + offNorth;
    return FoldDegrees(bearing);
}

int32_t TurnedBy(int32_t heading, int32_t degrees)
{
    return FoldDegrees(heading + degrees);
}

bool Sailable(int32_t windDirection, int32_t heading)
{
    const int32_t r = RelativeWind(windDirection, heading);
    return r >= SailableOffWind && r <= 360 - SailableOffWind;
}

int32_t RelativeWind(int32_t windDirection, int32_t heading)
{
    const int32_t d = std::abs(windDirection - heading);
    return heading > windDirection ? 360 - d : d;
}
