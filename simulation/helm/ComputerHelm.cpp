#include "simulation/helm/ComputerHelm.h"

#include "simulation/FrameSize.h"
#include "simulation/Wind.h"
#include "simulation/helm/BuoyClearance.h"
#include "simulation/helm/CourseAims.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/helm/HelmRandom.h"
#include "simulation/helm/KeepClear.h"
#include "simulation/helm/StartTiming.h"
#include "simulation/helm/Steering.h"
#include "simulation/regatta/LineCrossing.h"
#include "simulation/regatta/MarkRounding.h"
#include "simulation/regatta/PenaltyTurns.h"
#include "simulation/regatta/Regatta.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int32_t FullCircle256 = 360 * 256;
// The mean wind follows the wind over about this many ticks: a shift that lasts less is not sailed.
// The wind here veers back and forth by many degrees within seconds: a header worth a tack is the wind of the
// last second or so against its mean over several.
constexpr int32_t MeanWindTicks = 256;
constexpr int32_t RecentWindTicks = 48;

constexpr double MarkRadius = 90;      // the aims round the mark at this distance
constexpr double MarkCorridor = 60;    // the corridor to the mark at least this wide
constexpr double LineDistance = 60;    // the aims beyond the line
constexpr double LineMargin = 70;      // the aims' x inside the buoys
constexpr double StartEndMargin = 100; // the start point inside its end of the line
constexpr double BerthReach = 40;      // near enough its berth to stop
constexpr double DriftAllowance = 50;  // before the start it stays this near its spot
constexpr double CreepSpeed = 1.2;     // and goes back to it no faster, or it would overshoot
constexpr int32_t DownwindSector = 60; // a spot this near dead downwind it drifts back to
constexpr double SpotBottomRoom = 45;  // its spot this far above the frame's bottom at least
constexpr double SpotBuoyRoom = 80;    // and this far inside the buoys of the line
constexpr int32_t GoSlack = 8;         // ticks early it may look once it has gone for the line
constexpr int32_t StretchTicks = 15;   // before the start it sails a course so long before it stops again
constexpr int32_t RunLookLimit = 300;  // ticks of run looked ahead at most
constexpr int32_t SafetyLookLimit = 120; // ticks it looks ahead for being over the line early; it looks again
constexpr double Jump = 20;            // a dinghy moved this far in a tick was put back on the line
constexpr int32_t ImminentTicks = 15;  // a right-of-way dinghy turns away only from a touch this near
constexpr double ImminentClearance = 75;
constexpr double LineRoom = 100;       // before the signal, keeping clear does not take it towards the line nearer
constexpr int32_t HoldShare = 3;       // with right of way it holds its course for a meeting this share of its look ahead
constexpr double FrameRoom = 60;       // before the signal, keeping clear keeps it this far on the frame
constexpr double TackRoom = 150;       // the other dinghy nearer than this, it does not tack of its own choosing
constexpr double BuoyLookAhead = 130;  // pixels ahead it looks for buoys at most
constexpr double BuoyLookStill = 30;   // stopped
constexpr double BuoyLookTicks = 30;   // and so many ticks of its speed
constexpr int32_t NewCourse = 30;      // degrees a look changes its course by for a new one
constexpr int32_t BigTurn = 45;        // degrees of turn whose sweep it looks at for buoys
constexpr double SweepReach = 40;      // pixels ahead a turning hull swings into, and so many more
constexpr double SweepTicks = 15;      // ticks of its speed

// Room for penalty turns: the circle a turning dinghy sails stays clear of the buoys, the other dinghy, the
// frame's edges and, before the signal, the line.
constexpr double TurnBuoyRoom = 40;
constexpr double TurnDinghyRoom = 40;
constexpr double TurnEdgeRoom = 20;
constexpr double DegreesPerRadian = 57.29577951308232;

// Where a dinghy waits for the start: depth below the line, back along the course it starts on from the point
// where it means to cross, held on the frame.
TPointD WaitingSpot(TPointD from, TPointD course, double depth, const TCourse& line)
{
    constexpr double SteepestRise = 0.3; // a course nearly along the line is taken as rising this much
    const double rise = std::max(-course.Y, SteepestRise);
    const TPointD spot = Minus(from, Scaled(course, depth / rise));
    // Between the buoys: waiting head to wind it drifts downwind, which must not carry it onto one.
    return {std::clamp(spot.X, line.LineLeft.X + SpotBuoyRoom, line.LineRight.X - SpotBuoyRoom),
            std::min(from.Y + depth, FrameHeight - SpotBottomRoom)};
}

double Distance(TPointD a, TPointD b)
{
    return std::sqrt(SquaredLength(Minus(a, b)));
}

int32_t FoldWind256(int32_t value)
{
    return ((value % FullCircle256) + FullCircle256) % FullCircle256;
}

// A mean of the wind (1/256 degree) moved a share of the way towards the wind now, the short way round.
int32_t Follow(int32_t mean, int32_t wind, int32_t ticks)
{
    const int32_t shift = FoldWind256(wind - mean + FullCircle256 / 2) - FullCircle256 / 2;
    return FoldWind256(mean + shift / ticks);
}

} // namespace

TComputerHelm::TComputerHelm(int32_t skill, TPlayer dinghy, uint32_t raceSeed)
    : FLevel(std::clamp(skill, THelmSkill::Lowest, THelmSkill::Highest)),
      FSkill(SkillOf(skill)),
      FDinghy(dinghy),
      FIndex(static_cast<size_t>(dinghy))
{
    FMemory.Random = HelmSeed(raceSeed, static_cast<int32_t>(dinghy));
}

TComputerHelm::TComputerHelm(const THelmSkill& numbers, TPlayer dinghy, uint32_t raceSeed)
    : TComputerHelm(THelmSkill::Highest, dinghy, raceSeed)
{
    FSkill = numbers;
}

TTiller TComputerHelm::Decide(const THelmView& view)
{
    Notice(view);
    const TDinghyView& self = view.Dinghies[FIndex];
    if (self.Crashed)
        return TTiller::Amidships;
    const TDinghyRegatta* mine = view.Regatta != nullptr ? &view.Regatta->Dinghy(FIndex) : nullptr;
    const bool owes = mine != nullptr && mine->TurnsOwed > 0 && mine->Standing != TStanding::Finished &&
                      mine->Standing != TStanding::Out;
    if (!owes)
        FMemory.Turning = false;
    if (!FMemory.Turning && --FMemory.UntilLook <= 0) {
        FMemory.UntilLook = FSkill.ReactionTicks;
        if (owes && RoomToTurn(view)) {
            FMemory.Turning = true;
        } else {
            const int32_t before = FMemory.Wanted;
            FMemory.Wanted = Look(view);
            // A new course, not the old one wavering: the shorter way round to it, whatever the tiller did.
            if (std::abs(HeadingChange(before, FMemory.Wanted)) > NewCourse)
                FMemory.Tiller = TTiller::Amidships;
        }
    }
    // A turn once begun goes on one way, or it would count from the start again.
    if (FMemory.Turning) {
        FMemory.Tiller = TTiller::Port;
        return FMemory.Tiller;
    }
    // Off the buoys it keeps at every tick, whatever it last meant; turned onto the other tack by a buoy of the
    // line, it holds that tack from here on, or it would come back to the buoy at its next look (round the
    // mark the aims see to that).
    const int32_t heading = OffBuoys(view, FMemory.Wanted);
    const TTack tack = TackOf(RelativeWind(view.WindDirection, heading));
    if (heading != FMemory.Wanted && tack != TTack::Tacking && tack != FMemory.Plan.Tack &&
        TackOf(RelativeWind(view.WindDirection, FMemory.Wanted)) != tack &&
        Distance(self.Middle(), view.Course.Mark) > MarkRadius * 2) {
        FMemory.Plan = {tack, 0};
        FMemory.Wanted = heading;
    }
    FMemory.Tiller = TillerToward(self.Heading, heading, TurningStep(view.WindSpeed), FMemory.Tiller);
    return FMemory.Tiller;
}

void TComputerHelm::Notice(const THelmView& view)
{
    const TDinghyView& self = view.Dinghies[FIndex];
    const int32_t regattaTicks = view.Regatta != nullptr ? view.Regatta->Ticks() : 0;
    // Taking the dinghy, or the dinghy put back on the line (a restart, a regatta begun or left): what it had
    // in mind no longer holds.
    if (!FMemory.Seen || Distance(self.Stern, FMemory.Last.Stern) > Jump || regattaTicks < FMemory.RegattaTicks ||
        (regattaTicks > 0) != (FMemory.RegattaTicks > 0))
        Forget(self);

    const int32_t wind = FoldWind256(view.WindDirection * 256);
    if (FMemory.MeanWind < 0) {
        FMemory.MeanWind = wind;
        FMemory.RecentWind = wind;
    } else {
        FMemory.MeanWind = Follow(FMemory.MeanWind, wind, MeanWindTicks);
        FMemory.RecentWind = Follow(FMemory.RecentWind, wind, RecentWindTicks);
    }
    FMemory.Plan.TicksOnTack = std::min(FMemory.Plan.TicksOnTack + 1, 1 << 20);

    // In free sailing it keeps its own count of the laps, as the referee would.
    if (view.Regatta == nullptr && FMemory.Seen) {
        if (!FMemory.Rounded) {
            const TMarkSteps steps = MarkSteps(FMemory.Last.Middle(), self.Middle(), view.Course.Mark);
            for (int32_t i = 0; i < steps.Count && !FMemory.Rounded; ++i) {
                FMemory.Winding += steps.Steps[static_cast<size_t>(i)];
                FMemory.Rounded = FMemory.Winding == 3;
            }
        } else if (CrossedDownwards(FMemory.Last.Bow, self.Bow, view.Course)) {
            FMemory.Rounded = false;
            FMemory.Winding = 0;
        }
    }
    FMemory.Last = self;
    FMemory.Seen = true;
    FMemory.RegattaTicks = regattaTicks;
}

void TComputerHelm::Forget(const TDinghyView& self)
{
    const uint32_t random = FMemory.Random;
    FMemory = THelmMemory{};
    FMemory.Random = random;
    FMemory.Wanted = self.Heading;
    // It holds on the tack it finds the dinghy on.
    if (TackOf(self.RelativeWind) == TTack::Port)
        FMemory.Plan.Tack = TTack::Port;
}

TBeatRules TComputerHelm::Rules(const THelmView& view) const
{
    // Never so close to the wind that settling within half a turning step puts it in the no-go sector.
    const int32_t step = TurningStep(view.WindSpeed);
    return {std::max(FSkill.CloseHauled, 30 + (step + 1) / 2), FSkill.Corridor, FSkill.MinTackTicks,
            FSkill.HeaderDegrees, FSkill.Spread};
}

int32_t TComputerHelm::Look(const THelmView& view)
{
    const TIntent intent = Leg(view);
    int32_t wanted = intent.Heading;
    if (!intent.Luff) {
        FMemory.AimError = HelmSpread(FMemory.Random, FSkill.AimError);
        wanted = TurnedBy(wanted, FMemory.AimError);
        // An error never takes it closer to the wind than it beats.
        const int32_t closeHauled = Rules(view).CloseHauled;
        const int32_t meant = HeadingChange(view.WindDirection, intent.Heading);
        const int32_t off = HeadingChange(view.WindDirection, wanted);
        if (std::abs(meant) >= 30 && std::abs(off) < closeHauled)
            wanted = TurnedBy(view.WindDirection, meant >= 0 ? closeHauled : -closeHauled);
    }
    return intent.Urgent ? wanted : KeepClear(view, wanted);
}

int32_t TComputerHelm::OffBuoys(const THelmView& view, int32_t wanted)
{
    const TDinghyView& self = view.Dinghies[FIndex];
    // It looks as far ahead as its speed carries it: stopped, only its own length.
    const double lookAhead = std::min(BuoyLookAhead, BuoyLookStill + BuoyLookTicks * std::max(view.Speeds[FIndex], 0.0));
    const TBuoyWatch watch{self.Stern,          Distance(self.Stern, self.Bow) / 2, view.WindDirection,
                           FSkill.BuoyClearance, lookAhead,                          RoundingMark(view),
                           FMemory.BuoySide,    FMemory.BuoyHeading};
    wanted = HeadingClearOfBuoys(watch, view.Course, wanted, *view.Sin, FMemory.BuoySide);
    FMemory.BuoyHeading = FMemory.BuoySide != 0 ? wanted : 0;
    // A big turn the short way round that would swing the hull onto a buoy goes the other way, a quarter of
    // a turn at a time.
    const int32_t change = HeadingChange(self.Heading, wanted);
    if (std::abs(change) > BigTurn) {
        const double reach = SweepReach + SweepTicks * std::max(view.Speeds[FIndex], 0.0);
        const int32_t way = TurnWay(watch, self.Heading, wanted, view.Course, reach, *view.Sin);
        if ((way < 0) != (change < 0))
            wanted = TurnedBy(self.Heading, way * 90);
    }
    return wanted;
}

TComputerHelm::TIntent TComputerHelm::Leg(const THelmView& view)
{
    const TDinghyView& self = view.Dinghies[FIndex];
    const TPointD at = self.Middle();
    const TCourse& course = view.Course;
    if (view.Regatta == nullptr) {
        const TPointD aim = FMemory.Rounded ? LineAim(at, self.Bow, course, LineDistance, LineMargin)
                                            : RoundingAim(at, course.Mark, MarkRadius);
        return {Toward(view, aim)};
    }
    const TRegatta& regatta = *view.Regatta;
    const TDinghyRegatta& mine = regatta.Dinghy(FIndex);
    const int32_t sinceStart = regatta.TicksSinceStart();
    switch (mine.Standing) {
    case TStanding::Finished:
    case TStanding::Out: {
        const TPointD berth = Berth(course, static_cast<int32_t>(FIndex));
        if (Distance(at, berth) > BerthReach)
            return {Toward(view, berth)};
        return {view.WindDirection, true};
    }
    case TStanding::Early:
        return {Toward(view, BelowLine(at, course, LineDistance + 20, LineMargin))};
    case TStanding::Waiting:
        if (FMemory.StartMargin < 0)
            FMemory.StartMargin = FSkill.StartMargin + static_cast<int32_t>(HelmRandom(
                                                           FMemory.Random, static_cast<uint32_t>(FSkill.StartSpread + 1)));
        if (regatta.Phase() == TRegattaPhase::Countdown || sinceStart < FMemory.StartMargin)
            return Start(view, sinceStart);
        return {Toward(view, LineAim(at, self.Bow, course, LineDistance, LineMargin))};
    case TStanding::Racing:
        if (!mine.MarkRounded)
            return {Toward(view, RoundingAim(at, course.Mark, MarkRadius))};
        return {Toward(view, LineAim(at, self.Bow, course, LineDistance, LineMargin))};
    }
    return {self.Heading};
}

TComputerHelm::TIntent TComputerHelm::Start(const THelmView& view, int32_t sinceStart)
{
    const TSinTable& sin = *view.Sin;
    const TDinghyView& self = view.Dinghies[FIndex];
    const TCourse& course = view.Course;
    const double lineY = course.LineLeft.Y;
    const TPointD at = self.Middle();
    if (self.Top < lineY)
        return {Toward(view, BelowLine(at, course, LineDistance + 20, LineMargin))};

    // The course it starts on: from its point on the line for the mark, on the tack nearer the mark's bearing.
    const TPointD from = StartPoint(course, static_cast<int32_t>(FIndex), StartEndMargin);
    const TPointD firstAim = RoundingAim(from, course.Mark, MarkRadius);
    const TBeatRules rules = Rules(view);
    const int32_t bearing = BearingOf(from, firstAim, sin);
    // A course planned afresh: free to take either tack.
    TTackPlan startPlan{TTack::Starboard, rules.MinTackTicks};
    const auto offBearing = [&](TTack tack) {
        return std::abs(HeadingChange(CloseHauledHeading(view.WindDirection, tack, rules.CloseHauled), bearing));
    };
    startPlan.Tack = offBearing(TTack::Port) < offBearing(TTack::Starboard) ? TTack::Port : TTack::Starboard;
    const int32_t course0 = CourseTo({from, firstAim, view.WindDirection, 0}, rules, startPlan, sin);

    // It goes for its start point: straight where it can, else close-hauled on the tack it starts on. Looked
    // at from its stern, which stays put while it turns, so the course does not waver as the hull swings.
    TTackPlan goPlan = startPlan;
    const int32_t go = CourseTo({self.Stern, from, view.WindDirection, 0}, rules, goPlan, sin);
    const TRunState run{self.Stern, self.Heading, view.Speeds[FIndex]};
    const TRunConditions conditions{view.WindDirection, view.WindSpeed,
                                    Dot(Minus(self.Bow, self.Stern), HeadingVector(self.Heading, sin)), view.Beam,
                                    lineY};
    // Once gone, it goes on unless it would now be over well before the time it wants.
    const int32_t wantedTicks = FMemory.StartMargin - sinceStart;
    if (wantedTicks <= RunLookLimit) {
        const int32_t slack = FMemory.Going ? GoSlack : 0;
        FMemory.Going = TicksToLine(run, {go}, conditions, wantedTicks, sin) + slack >= wantedTicks;
        if (FMemory.Going) {
            FMemory.Plan = goPlan;
            return {go};
        }
    }

    // Not yet: head to wind at its spot below its start point, back to it slowly when the drift has taken it
    // away (drifting when it lies downwind). Whatever it does must not carry it over the line before the
    // signal, stopping afterwards included; failing that, it bears away from the line.
    const int32_t toSignal = -sinceStart;
    const int32_t luff = view.WindDirection;
    const auto overEarly = [&](const TRunPlan& plan) {
        if (toSignal <= 0)
            return false;
        const int32_t limit = std::min(toSignal + 1, SafetyLookLimit);
        return TicksToLine(run, plan, conditions, limit, sin) <= std::min(toSignal, limit - 1);
    };
    const TPointD spot = WaitingSpot(from, HeadingVector(course0, sin), FSkill.RunIn, course);
    const double fromSpot = Distance(at, spot);
    FMemory.ToSpot = fromSpot > DriftAllowance || (FMemory.ToSpot && fromSpot > DriftAllowance / 2);
    if (FMemory.ToSpot && view.Speeds[FIndex] <= CreepSpeed &&
        std::abs(HeadingChange(TurnedBy(luff, 180), BearingOf(at, spot, sin))) > DownwindSector) {
        const int32_t toSpot = Toward(view, spot);
        if (!overEarly({toSpot, StretchTicks, luff}))
            return {toSpot};
    }
    if (!overEarly({luff}))
        return {luff, true};
    for (const int32_t away : {180, TurnedBy(luff, rules.CloseHauled), TurnedBy(luff, -rules.CloseHauled),
                               TurnedBy(luff, 90), TurnedBy(luff, -90), 135, 225})
        if (!overEarly({away, StretchTicks, luff}))
            return {away, false, true};
    return {180, false, true};
}

int32_t TComputerHelm::Toward(const THelmView& view, TPointD aim)
{
    const TDinghyView& self = view.Dinghies[FIndex];
    const TDinghyView& other = view.Dinghies[1 - FIndex];
    const int32_t shift =
        HeadingChange(FoldWind256(FMemory.MeanWind + 128) / 256, FoldWind256(FMemory.RecentWind + 128) / 256);
    // No tack of its own choosing with the other dinghy close by: it would turn across it.
    TBeatRules rules = Rules(view);
    rules.MayTack = other.Crashed || Distance(self.Middle(), other.Middle()) > TackRoom;
    // Beating up to the mark, the corridor ends at the mark: a dinghy straying further across the wind would
    // come up on its wrong side.
    if (RoundingMark(view)) {
        const TPointD across = HeadingVector(TurnedBy(view.WindDirection, 90), *view.Sin);
        const double markAcross = std::abs(Dot(Minus(view.Course.Mark, aim), across));
        rules.Corridor = std::min(rules.Corridor, std::max(markAcross, MarkCorridor));
    }
    return CourseTo({self.Middle(), aim, view.WindDirection, shift}, rules, FMemory.Plan, *view.Sin);
}

int32_t TComputerHelm::KeepClear(const THelmView& view, int32_t wanted) const
{
    const TSinTable& sin = *view.Sin;
    const TDinghyView& self = view.Dinghies[FIndex];
    const TDinghyView& other = view.Dinghies[1 - FIndex];
    if (other.Crashed)
        return wanted;
    const TTraffic traffic{self.Middle(),
                           view.Speeds[FIndex],
                           other.Middle(),
                           Scaled(HeadingVector(other.Heading, sin), view.Speeds[1 - FIndex]),
                           view.WindDirection,
                           view.WindSpeed};
    // Before the signal it sails away from the other, or stops where that would take it towards the line.
    const bool beforeSignal = view.Regatta != nullptr && view.Regatta->Phase() == TRegattaPhase::Countdown;
    const auto apart = [&] {
        const int32_t straightAway = BearingOf(other.Middle(), self.Middle(), sin);
        const bool lineNear = self.Top < view.Course.LineLeft.Y + LineRoom;
        for (const int32_t turn : {0, 60, -60}) {
            int32_t away = TurnedBy(straightAway, turn);
            const int32_t offWind = HeadingChange(view.WindDirection, away);
            const int32_t closeHauled = Rules(view).CloseHauled;
            if (std::abs(offWind) < closeHauled)
                away = TurnedBy(view.WindDirection, offWind < 0 ? -closeHauled : closeHauled);
            const TPointD ahead = Plus(self.Middle(), Scaled(HeadingVector(away, sin), FrameRoom));
            const bool onFrame = ahead.X > FrameRoom && ahead.X < FrameWidth - FrameRoom && ahead.Y < FrameHeight;
            if (onFrame && !(lineNear && HeadingVector(away, sin).Y < 0))
                return away;
        }
        return view.WindDirection;
    };
    const TPointD upwind = HeadingVector(view.WindDirection, sin);
    if (MustKeepClear(self, other, upwind)) {
        if (!OnCollisionCourse(traffic, wanted, FSkill.Clearance, FSkill.LookAhead, sin))
            return wanted;
        if (beforeSignal)
            return apart();
        // Turned away already, it holds that course until the one it wants is clear again.
        if (Sailable(view.WindDirection, self.Heading) &&
            !OnCollisionCourse(traffic, self.Heading, FSkill.Clearance, FSkill.LookAhead, sin))
            return self.Heading;
        return HeadingClearOf(traffic, wanted, FSkill.Clearance, FSkill.LookAhead, sin);
    }
    // A change of course that would make it the one to keep clear only as far as it then keeps clear; a tack
    // or a gybe onto it (onto port across a dinghy on starboard) not at all: the turn takes too long to bear
    // away behind the other afterwards.
    TDinghyView after = self;
    after.Heading = wanted;
    after.RelativeWind = RelativeWind(view.WindDirection, wanted);
    if (MustKeepClear(after, other, upwind) &&
        OnCollisionCourse(traffic, wanted, FSkill.Clearance, FSkill.LookAhead, sin)) {
        const TTack now = TackOf(self.RelativeWind);
        const bool tack = now != TTack::Tacking && TackOf(after.RelativeWind) != now;
        wanted = tack ? self.Heading : HeadingClearOf(traffic, wanted, FSkill.Clearance, FSkill.LookAhead, sin);
    }
    // With right of way it holds its course rather than turn nearer the other, and turns away only from a
    // touch about to happen.
    const int32_t holdAhead = FSkill.LookAhead / HoldShare;
    const double wantedPass = PassingDistance(traffic, wanted, holdAhead, sin);
    if (wantedPass < FSkill.Clearance && wantedPass < PassingDistance(traffic, self.Heading, holdAhead, sin))
        wanted = self.Heading;
    if (OnCollisionCourse(traffic, wanted, ImminentClearance, ImminentTicks, sin))
        return beforeSignal ? apart() : HeadingClearOf(traffic, wanted, ImminentClearance, ImminentTicks, sin);
    return wanted;
}

bool TComputerHelm::RoundingMark(const THelmView& view) const
{
    if (view.Regatta == nullptr)
        return !FMemory.Rounded;
    const TDinghyRegatta& mine = view.Regatta->Dinghy(FIndex);
    return mine.Standing == TStanding::Racing && !mine.MarkRounded;
}

bool TComputerHelm::RoomToTurn(const THelmView& view) const
{
    // The circle a turn to port sails: to starboard of the dinghy, as wide as its speed makes it.
    const TDinghyView& self = view.Dinghies[FIndex];
    const double radius = std::max(view.Speeds[FIndex], 1.0) * DegreesPerRadian / TurningStep(view.WindSpeed);
    const TPointD centre =
        Plus(self.Middle(), Scaled(HeadingVector(TurnedBy(self.Heading, 90), *view.Sin), radius));
    const TCourse& course = view.Course;
    for (const TPointD buoy : {course.LineLeft, course.LineRight, course.Mark})
        if (Distance(centre, buoy) < radius + TurnBuoyRoom)
            return false;
    const TDinghyView& other = view.Dinghies[1 - FIndex];
    if (!other.Crashed && Distance(centre, other.Middle()) < radius + TurnDinghyRoom)
        return false;
    if (centre.X < radius + TurnEdgeRoom || centre.X > FrameWidth - radius - TurnEdgeRoom ||
        centre.Y < radius + TurnEdgeRoom || centre.Y > FrameHeight - radius - TurnEdgeRoom)
        return false;
    // Before the signal the circle stays below the line.
    const bool beforeSignal = view.Regatta->Phase() == TRegattaPhase::Countdown;
    return !beforeSignal || centre.Y - radius > course.LineLeft.Y + TurnEdgeRoom;
}
