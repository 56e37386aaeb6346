#include "simulation/helm/BuoyClearance.h"

#include "simulation/helm/HelmGeometry.h"
#include "simulation/regatta/PenaltyTurns.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int32_t SearchStep = 3;
constexpr double Nearer = 4;
constexpr double Closest = 32;
constexpr double Release = 1.25;
constexpr int32_t SweepStep = 15;
constexpr int32_t SearchSpan = 120;

// Where the middle is on the heading: the dinghy turns about its stern, so each heading is looked at from
// where its middle will be, and the look does not waver as the hull swings.
TPointD MiddleOn(const TBuoyWatch& watch, int32_t heading, const TSinTable& sin)
{
    return Plus(watch.At, Scaled(HeadingVector(heading, sin), watch.HalfLength));
}

bool Blocked(const TBuoyWatch& watch, const std::array<TPointD, 3>& buoys, int32_t heading, const TSinTable& sin)
{
    for (const TPointD buoy : buoys)
        if (BuoyAhead(MiddleOn(watch, heading, sin), heading, buoy, watch.Clearance, watch.LookAhead, sin))
            return true;
    return false;
}

// Whether turning from the heading by the degrees (signed) sweeps past a buoy.
bool SweepBlocked(const TBuoyWatch& watch, int32_t heading, int32_t degrees, const std::array<TPointD, 3>& buoys,
                  double reach, const TSinTable& sin)
{
    const int32_t way = degrees < 0 ? -1 : 1;
    for (int32_t turned = SweepStep; turned < way * degrees; turned += SweepStep) {
        const int32_t swept = TurnedBy(heading, way * turned);
        for (const TPointD buoy : buoys)
            if (BuoyAhead(MiddleOn(watch, swept, sin), swept, buoy, watch.Clearance, reach, sin))
                return true;
    }
    return false;
}

} // namespace

bool BuoyAhead(TPointD at, int32_t heading, TPointD buoy, double clearance, double lookAhead, const TSinTable& sin)
{
    const TPointD forward = HeadingVector(heading, sin);
    const TPointD toBuoy = Minus(buoy, at);
    const double along = Dot(toBuoy, forward);
    // Already nearer than the clearance, only a course that comes nearer still is in the way; never nearer
    // than a hull's half length, or its bow or stern would touch.
    const double allowed =
        std::max(std::min(clearance, std::sqrt(SquaredLength(toBuoy)) - Nearer), std::min(clearance, Closest));
    return along > -allowed / 2 && along < lookAhead && std::fabs(Cross(forward, toBuoy)) < allowed;
}

int32_t HeadingClearOfBuoys(const TBuoyWatch& watch, const TCourse& course, int32_t wanted, const TSinTable& sin,
                            int32_t& side)
{
    side = 0;
    const std::array<TPointD, 3> buoys{course.LineLeft, course.LineRight, course.Mark};
    // Turned off a buoy before, it comes back only when the way is clear by a margin, or it would waver at
    // the edge of what it looks at.
    TBuoyWatch release = watch;
    if (watch.Kept != 0) {
        release.Clearance *= Release;
        release.LookAhead *= Release;
    }
    if (!Blocked(release, buoys, wanted, sin))
        return wanted;
    // The side to try first, by the nearest buoy in the way: a line's buoy is passed on the side of the line's
    // middle, so that the dinghy crosses between the buoys; a mark being rounded to port; the mark otherwise
    // the nearer way.
    const TPointD forward = HeadingVector(wanted, sin);
    const TPointD at = MiddleOn(watch, wanted, sin);
    const TPointD middle = Scaled(Plus(course.LineLeft, course.LineRight), 0.5);
    int32_t away = 1;
    double nearest = 1e300;
    for (size_t b = 0; b < buoys.size(); ++b) {
        if (!BuoyAhead(at, wanted, buoys[b], watch.Clearance, watch.LookAhead, sin))
            continue;
        const TPointD toBuoy = Minus(buoys[b], at);
        const double distance = SquaredLength(toBuoy);
        if (distance >= nearest)
            continue;
        nearest = distance;
        if (b == 2)
            away = watch.RoundingMark || Cross(forward, toBuoy) < 0 ? 1 : -1;
        else
            away = Cross(forward, Minus(middle, at)) > Cross(forward, toBuoy) ? 1 : -1;
    }
    // A mark being rounded is passed only with it to port.
    const bool markInWay =
        watch.RoundingMark && BuoyAhead(at, wanted, course.Mark, watch.Clearance, watch.LookAhead, sin);
    if (watch.Side != 0 && !markInWay)
        away = watch.Side;
    if (watch.Kept != 0 && (!markInWay || watch.Side > 0) &&
        Sailable(watch.Wind, watch.Kept) && !Blocked(watch, buoys, watch.Kept, sin)) {
        side = watch.Side;
        return watch.Kept;
    }
    for (const int32_t way : {away, -away}) {
        if (markInWay && way < 0)
            break;
        for (int32_t turn = SearchStep; turn <= SearchSpan; turn += SearchStep) {
            const int32_t heading = TurnedBy(wanted, way * turn);
            if (!Sailable(watch.Wind, heading))
                continue;
            if (!Blocked(watch, buoys, heading, sin)) {
                side = way;
                return heading;
            }
        }
    }
    // Hemmed in: straight away from the nearest buoy, or as near that as it sails.
    TPointD nearestBuoy = buoys[0];
    for (const TPointD buoy : buoys)
        if (SquaredLength(Minus(buoy, at)) < SquaredLength(Minus(nearestBuoy, at)))
            nearestBuoy = buoy;
    const int32_t fromBuoy = BearingOf(nearestBuoy, at, sin);
    const int32_t offWind = HeadingChange(watch.Wind, fromBuoy);
    if (std::abs(offWind) >= SailableOffWind)
        return fromBuoy;
    return TurnedBy(watch.Wind, offWind < 0 ? -SailableOffWind : SailableOffWind);
}

int32_t TurnWay(const TBuoyWatch& watch, int32_t heading, int32_t wanted, const TCourse& course, double reach,
                const TSinTable& sin)
{
    const std::array<TPointD, 3> buoys{course.LineLeft, course.LineRight, course.Mark};
    const int32_t change = HeadingChange(heading, wanted);
    const int32_t shorter = change < 0 ? -1 : 1;
    const int32_t longer = change < 0 ? change + 360 : change - 360;
    if (SweepBlocked(watch, heading, change, buoys, reach, sin) &&
        !SweepBlocked(watch, heading, longer, buoys, reach, sin))
        return -shorter;
    return shorter;
}
