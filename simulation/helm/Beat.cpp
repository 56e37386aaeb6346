#include "simulation/helm/Beat.h"

#include "simulation/FrameSize.h"
#include "simulation/Wind.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/regatta/PenaltyTurns.h"

#include <cstdlib>

namespace {

// Keeps a beating dinghy this far inside the frame: it tacks when a point this far ahead would leave it.
constexpr double EdgeMargin = 45;
constexpr double EdgeLookAhead = 80;
// Degrees beyond close-hauled an aim on the other tack lies at to be sailed for before the least time on a tack.
constexpr int32_t FetchMargin = 5;
// Any wind speed: the bands' speeds are in the same proportion at every one.
constexpr int32_t BandWind = 5;

TTack Other(TTack tack)
{
    return tack == TTack::Port ? TTack::Starboard : TTack::Port;
}

bool EdgeAhead(TPointD at, int32_t heading, const TSinTable& sin)
{
    const TPointD ahead = Plus(at, Scaled(HeadingVector(heading, sin), EdgeLookAhead));
    return ahead.X < EdgeMargin || ahead.X > FrameWidth - EdgeMargin || ahead.Y < EdgeMargin ||
           ahead.Y > FrameHeight - EdgeMargin;
}

// Headings tried within the spread, and the share of its speed a heading on the other tack is counted at, so
// that a course about dead downwind or a wind wavering does not make it gybe or tack back and forth.
constexpr int32_t SpreadStep = 5;
constexpr double OtherTackShare = 0.97;

// The heading within the spread either side of the bearing, outside the sector the dinghy cannot sail, that makes
// good the most towards the aim: the dinghy's speed jumps between bands of the wind's angle, so a reach a little
// off the bearing can beat sailing straight. Nearer the bearing first, so that a tie keeps it.
int32_t FastestToward(int32_t wind, int32_t bearing, const TBeatRules& rules, TTack tack, const TSinTable& sin)
{
    int32_t best = bearing;
    double bestGood = -1;
    for (int32_t i = 0; i <= 2 * (rules.Spread / SpreadStep); ++i) {
        const int32_t off = (i + 1) / 2 * SpreadStep * (i % 2 == 1 ? -1 : 1);
        const int32_t heading = TurnedBy(bearing, off);
        if (std::abs(HeadingChange(wind, heading)) < rules.CloseHauled)
            continue;
        const int32_t relative = RelativeWind(wind, heading);
        double good = TargetSpeedFor(BandWind, relative) * sin[static_cast<size_t>(90 - std::abs(off))];
        if (TackOf(relative) != tack)
            good *= OtherTackShare;
        if (good > bestGood) {
            bestGood = good;
            best = heading;
        }
    }
    return best;
}

void Hold(TTackPlan& plan, TTack tack)
{
    if (plan.Tack != tack) {
        plan.Tack = tack;
        plan.TicksOnTack = 0;
    }
}

} // namespace

int32_t CloseHauledHeading(int32_t wind, TTack tack, int32_t closeHauled)
{
    return TurnedBy(wind, tack == TTack::Port ? closeHauled : -closeHauled);
}

int32_t CourseTo(const TLeg& leg, const TBeatRules& rules, TTackPlan& plan, const TSinTable& sin)
{
    const int32_t bearing = BearingOf(leg.At, leg.Aim, sin);
    // The aim's bearing off the wind: positive clockwise of it, which a dinghy on port tack sails towards.
    const int32_t offWind = HeadingChange(leg.Wind, bearing);
    // Straight for the aim where it can be sailed; onto the other tack for it only once it has been on this
    // one long enough, or clearly: a wind wavering about the layline would make it tack back and forth.
    if (std::abs(offWind) >= rules.CloseHauled) {
        const int32_t heading =
            rules.Spread > 0 ? FastestToward(leg.Wind, bearing, rules, plan.Tack, sin) : bearing;
        const TTack tack = TackOf(RelativeWind(leg.Wind, heading));
        if (tack == plan.Tack || plan.TicksOnTack >= rules.MinTackTicks ||
            std::abs(offWind) >= rules.CloseHauled + FetchMargin) {
            Hold(plan, tack);
            return heading;
        }
        return CloseHauledHeading(leg.Wind, plan.Tack, rules.CloseHauled);
    }
    if (rules.MayTack && plan.TicksOnTack >= rules.MinTackTicks) {
        // Across the wind from the aim, positive on the side port tack sails to.
        const double across = Dot(Minus(leg.At, leg.Aim), HeadingVector(TurnedBy(leg.Wind, 90), sin));
        const bool port = plan.Tack == TTack::Port;
        const bool outside = port ? across > rules.Corridor : across < -rules.Corridor;
        const bool headed = rules.HeaderDegrees > 0 &&
                            (port ? leg.WindShift >= rules.HeaderDegrees : leg.WindShift <= -rules.HeaderDegrees) &&
                            (port ? across > -rules.Corridor / 2 : across < rules.Corridor / 2);
        const bool edge = EdgeAhead(leg.At, CloseHauledHeading(leg.Wind, plan.Tack, rules.CloseHauled), sin) &&
                          !EdgeAhead(leg.At, CloseHauledHeading(leg.Wind, Other(plan.Tack), rules.CloseHauled), sin);
        if (outside || headed || edge)
            Hold(plan, Other(plan.Tack));
    }
    return CloseHauledHeading(leg.Wind, plan.Tack, rules.CloseHauled);
}
