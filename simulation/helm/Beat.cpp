#include "simulation/helm/Beat.h"

#include "simulation/FrameSize.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/regatta/PenaltyTurns.h"

#include <cstdlib>

namespace {

// Keeps a beating dinghy this far inside the frame: it tacks when a point this far ahead would leave it.
constexpr double EdgeMargin = 45;
constexpr double EdgeLookAhead = 80;
// Degrees beyond close-hauled an aim on the other tack lies at to be sailed for before the least time on a tack.
constexpr int32_t FetchMargin = 5;

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
        const TTack tack = TackOf(RelativeWind(leg.Wind, bearing));
        if (tack == plan.Tack || plan.TicksOnTack >= rules.MinTackTicks ||
            std::abs(offWind) >= rules.CloseHauled + FetchMargin) {
            Hold(plan, tack);
            return bearing;
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
