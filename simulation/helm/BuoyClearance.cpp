#include "simulation/helm/BuoyClearance.h"

#include "simulation/helm/HelmGeometry.h"
#include "simulation/regatta/PenaltyTurns.h"
#include "simulation/regatta/Tack.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int32_t SearchStep = 3;
constexpr double Nearer = 4;
constexpr double Closest = 32;
constexpr int32_t SweepStep = 15;
constexpr int32_t NoGo = 30;
constexpr int32_t SearchSpan = 120;

bool Blocked(const TBuoyWatch& watch, const std::array<TPointD, 3>& buoys, int32_t heading, const TSinTable& sin)
{
    for (const TPointD buoy : buoys)
        if (BuoyAhead(watch.At, heading, buoy, watch.Clearance, watch.LookAhead, sin))
            return true;
    return false;
}

// Whether turning from the heading by the degrees (signed) sweeps past a buoy.
bool SweepBlocked(TPointD at, int32_t heading, int32_t degrees, const std::array<TPointD, 3>& buoys,
                  double clearance, double reach, const TSinTable& sin)
{
    const int32_t way = degrees < 0 ? -1 : 1;
    for (int32_t turned = SweepStep; turned < way * degrees; turned += SweepStep)
        for (const TPointD buoy : buoys)
            if (BuoyAhead(at, TurnedBy(heading, way * turned), buoy, clearance, reach, sin))
                return true;
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
    if (!Blocked(watch, buoys, wanted, sin))
        return wanted;
    // The side to try first, by the nearest buoy in the way: a line's buoy is passed on the side of the line's
    // middle, so that the dinghy crosses between the buoys; a mark being rounded to port; the mark otherwise
    // the nearer way.
    const TPointD forward = HeadingVector(wanted, sin);
    const TPointD middle = Scaled(Plus(course.LineLeft, course.LineRight), 0.5);
    int32_t away = 1;
    double nearest = 1e300;
    for (size_t b = 0; b < buoys.size(); ++b) {
        if (!BuoyAhead(watch.At, wanted, buoys[b], watch.Clearance, watch.LookAhead, sin))
            continue;
        const TPointD toBuoy = Minus(buoys[b], watch.At);
        const double distance = SquaredLength(toBuoy);
        if (distance >= nearest)
            continue;
        nearest = distance;
        if (b == 2)
            away = watch.RoundingMark || Cross(forward, toBuoy) < 0 ? 1 : -1;
        else
            away = Cross(forward, Minus(middle, watch.At)) > Cross(forward, toBuoy) ? 1 : -1;
    }
    // A mark being rounded is passed only with it to port.
    const bool markInWay = watch.RoundingMark && BuoyAhead(watch.At, wanted, course.Mark, watch.Clearance,
                                                           watch.LookAhead, sin);
    if (watch.Side != 0 && !markInWay)
        away = watch.Side;
    if (watch.Kept != 0 && (!markInWay || watch.Side > 0) &&
        TackOf(RelativeWind(watch.Wind, watch.Kept)) != TTack::Tacking && !Blocked(watch, buoys, watch.Kept, sin)) {
        side = watch.Side;
        return watch.Kept;
    }
    for (const int32_t way : {away, -away}) {
        if (markInWay && way < 0)
            break;
        for (int32_t turn = SearchStep; turn <= SearchSpan; turn += SearchStep) {
            const int32_t heading = TurnedBy(wanted, way * turn);
            if (TackOf(RelativeWind(watch.Wind, heading)) == TTack::Tacking)
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
        if (SquaredLength(Minus(buoy, watch.At)) < SquaredLength(Minus(nearestBuoy, watch.At)))
            nearestBuoy = buoy;
    const int32_t fromBuoy = BearingOf(nearestBuoy, watch.At, sin);
    const int32_t offWind = HeadingChange(watch.Wind, fromBuoy);
    if (std::abs(offWind) >= NoGo)
        return fromBuoy;
    return TurnedBy(watch.Wind, offWind < 0 ? -NoGo : NoGo);
}

int32_t TurnWay(TPointD at, int32_t heading, int32_t wanted, const TCourse& course, double clearance, double reach,
                const TSinTable& sin)
{
    const std::array<TPointD, 3> buoys{course.LineLeft, course.LineRight, course.Mark};
    const int32_t change = HeadingChange(heading, wanted);
    const int32_t shorter = change < 0 ? -1 : 1;
    const int32_t longer = change < 0 ? change + 360 : change - 360;
    if (SweepBlocked(at, heading, change, buoys, clearance, reach, sin) &&
        !SweepBlocked(at, heading, longer, buoys, clearance, reach, sin))
        return -shorter;
    return shorter;
}
