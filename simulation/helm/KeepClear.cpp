#include "simulation/helm/KeepClear.h"

#include "simulation/Wind.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/regatta/ContactRules.h"
#include "simulation/regatta/PenaltyTurns.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t SearchStep = 5;
constexpr int32_t SearchSpan = 120;
constexpr int32_t UpSpan = 30;

TApproach Approach(const TTraffic& traffic, int32_t heading, int32_t lookAhead, const TSinTable& sin)
{
    const double target = TargetSpeedFor(traffic.WindSpeed, RelativeWind(traffic.Wind, heading));
    const double speed = (traffic.SelfSpeed + target) / 2;
    TApproach approach = ClosestApproach(traffic.Self, Scaled(HeadingVector(heading, sin), speed), traffic.Other,
                                         traffic.OtherVelocity);
    if (approach.Ticks > lookAhead) {
        // Beyond the look-ahead only where they are at its end counts.
        const TPointD self = Plus(traffic.Self, Scaled(HeadingVector(heading, sin), speed * lookAhead));
        const TPointD other = Plus(traffic.Other, Scaled(traffic.OtherVelocity, lookAhead));
        approach = {static_cast<double>(lookAhead), std::sqrt(SquaredLength(Minus(self, other)))};
    }
    return approach;
}

} // namespace

TApproach ClosestApproach(TPointD a, TPointD aVelocity, TPointD b, TPointD bVelocity)
{
    const TPointD apart = Minus(b, a);
    const TPointD closing = Minus(bVelocity, aVelocity);
    const double speed2 = SquaredLength(closing);
    double ticks = 0;
    if (speed2 > 0)
        ticks = std::max(0.0, -Dot(apart, closing) / speed2);
    const TPointD then = Plus(apart, Scaled(closing, ticks));
    return {ticks, std::sqrt(SquaredLength(then))};
}

bool MustKeepClear(const TDinghyView& self, const TDinghyView& other, TPointD upwind)
{
    return JudgeContact({self, other}, upwind).Penalised[0];
}

double PassingDistance(const TTraffic& traffic, int32_t heading, int32_t lookAhead, const TSinTable& sin)
{
    return Approach(traffic, heading, lookAhead, sin).Distance;
}

bool OnCollisionCourse(const TTraffic& traffic, int32_t heading, double clearance, int32_t lookAhead,
                       const TSinTable& sin)
{
    return PassingDistance(traffic, heading, lookAhead, sin) < clearance;
}

int32_t HeadingClearOf(const TTraffic& traffic, int32_t wanted, double clearance, int32_t lookAhead,
                       const TSinTable& sin)
{
    int32_t widest = wanted;
    double widestDistance = Approach(traffic, wanted, lookAhead, sin).Distance;
    if (widestDistance >= clearance)
        return wanted;
    // Bearing away first, all the way round; the other way only a little, never through the wind: a tack
    // would take it across the other's bow before it is clear, which the straight courses looked at here do
    // not show.
    const int32_t away = HeadingChange(traffic.Wind, wanted) >= 0 ? 1 : -1;
    for (const int32_t side : {away, -away}) {
        for (int32_t turn = SearchStep; turn <= (side == away ? SearchSpan : UpSpan); turn += SearchStep) {
            const int32_t heading = TurnedBy(wanted, side * turn);
            if (!Sailable(traffic.Wind, heading))
                continue;
            const double distance = Approach(traffic, heading, lookAhead, sin).Distance;
            if (distance >= clearance)
                return heading;
            if (distance > widestDistance) {
                widest = heading;
                widestDistance = distance;
            }
        }
    }
    return widest;
}
