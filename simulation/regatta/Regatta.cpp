#include "simulation/regatta/Regatta.h"

#include "simulation/RaceEventLog.h"
#include "simulation/regatta/LineCrossing.h"
#include "simulation/regatta/MarkRounding.h"
#include "simulation/regatta/PenaltyTurns.h"

// Each tick's events go into the log in a fixed order: the countdown, the start signal and who was early;
// then green, then red, each: out, started, penalties, turns cleared, mark rounded, lap and finish; last the
// end of the regatta.

namespace {

constexpr int32_t TicksPerSecond = 60;
constexpr std::array<int32_t, 7> CountdownSeconds{15, 10, 5, 4, 3, 2, 1};
constexpr int32_t MarkRoundedWinding = 3;

// Stamps the tick's events and keeps them in the log.
class TEvents {
public:
    TEvents(TRaceEventLog& log, int64_t raceTick) : FLog(log), FRaceTick(raceTick) {}

    void Add(TRaceEvent::TKind kind, int32_t dinghy, int32_t value = 0, int32_t ticks = 0,
             TRule rule = TRule::None)
    {
        TRaceEvent event;
        event.Kind = kind;
        event.Dinghy = static_cast<int8_t>(dinghy);
        event.Rule = rule;
        event.Value = value;
        event.Ticks = ticks;
        event.Tick = FRaceTick;
        FLog.Add(event);
    }

private:
    TRaceEventLog& FLog;
    int64_t FRaceTick;
};

bool Done(const TDinghyRegatta& dinghy)
{
    return dinghy.Standing == TStanding::Finished || dinghy.Standing == TStanding::Out;
}

void Penalise(TDinghyRegatta& dinghy, int32_t index, int32_t turns, TRule rule, TEvents& events)
{
    dinghy.TurnsOwed += turns;
    ++dinghy.Penalties;
    events.Add(TRaceEvent::Penalty, index, turns, 0, rule);
}

void SailTurns(TDinghyRegatta& dinghy, int32_t index, int32_t heading, TEvents& events)
{
    if (dinghy.TurnsOwed == 0)
        return;
    if (!TurnOn(dinghy.TurnDegrees, HeadingChange(dinghy.Last.Heading, heading)))
        return;
    --dinghy.TurnsOwed;
    ++dinghy.TurnsTaken;
    if (dinghy.TurnsOwed == 0) {
        dinghy.TurnDegrees = 0;
        events.Add(TRaceEvent::Cleared, index);
    }
}

void RoundMark(TDinghyRegatta& dinghy, int32_t index, const TDinghyView& now, TPointD mark, TEvents& events)
{
    const TMarkSteps steps = MarkSteps(dinghy.Last.Middle(), now.Middle(), mark);
    for (int32_t i = 0; i < steps.Count; ++i) {
        dinghy.Winding += steps.Steps[static_cast<size_t>(i)];
        if (dinghy.Winding == MarkRoundedWinding) {
            dinghy.MarkRounded = true;
            events.Add(TRaceEvent::Rounded, index, dinghy.Lap);
            return;
        }
    }
}

void CompleteLap(TDinghyRegatta& dinghy, int32_t index, int32_t sinceStart, TEvents& events)
{
    const int32_t lapTicks = sinceStart - dinghy.LapBegan;
    dinghy.LapTicks[static_cast<size_t>(dinghy.Lap - 1)] = lapTicks;
    ++dinghy.LapsDone;
    events.Add(TRaceEvent::Lap, index, dinghy.Lap, lapTicks);
}

// Through the gate after rounding the mark: the next lap, or the finish when no turn is owed (else the
// dinghy must take its turns and cross again).
void PassGate(TDinghyRegatta& dinghy, int32_t index, int32_t sinceStart, int32_t laps, int32_t& finishers,
              TEvents& events)
{
    if (dinghy.Lap < laps) {
        CompleteLap(dinghy, index, sinceStart, events);
        ++dinghy.Lap;
        dinghy.LapBegan = sinceStart;
        dinghy.MarkRounded = false;
        dinghy.Winding = 0;
    } else if (dinghy.TurnsOwed == 0) {
        CompleteLap(dinghy, index, sinceStart, events);
        dinghy.Standing = TStanding::Finished;
        dinghy.Place = ++finishers;
        dinghy.FinishTicks = sinceStart;
        events.Add(TRaceEvent::Finished, index, dinghy.Place, sinceStart);
    }
}

} // namespace

TRegatta::TRegatta(const TRegattaSettings& settings, const TCourse& course) : FSettings(settings), FCourse(course)
{
}

void TRegatta::Tick(const TRegattaTick& tick, int64_t raceTick, TRaceEventLog& log)
{
    ++FTicks;
    if (FPhase == TRegattaPhase::Over)
        return;
    TEvents events(log, raceTick);
    const int32_t sinceStart = TicksSinceStart();
    const double lineY = FCourse.LineLeft.Y;

    for (const int32_t seconds : CountdownSeconds)
        if (sinceStart == -seconds * TicksPerSecond)
            events.Add(TRaceEvent::Countdown, -1, seconds);
    if (sinceStart == 0) {
        events.Add(TRaceEvent::Start, -1);
        FPhase = TRegattaPhase::Racing;
        for (size_t i = 0; i < FDinghies.size(); ++i) {
            if (FDinghies[i].Standing == TStanding::Waiting && tick.Dinghies[i].Top < lineY) {
                FDinghies[i].Standing = TStanding::Early;
                events.Add(TRaceEvent::Early, static_cast<int32_t>(i));
            }
        }
    }

    const bool penalties = FSettings.Rules == TRegattaRules::Penalties;
    // Both dinghies share the one contact; a verdict only on its first tick.
    const bool newContact = tick.DinghyContact && !FDinghies[0].TouchingDinghy;
    const TContactVerdict verdict =
        penalties && newContact ? JudgeContact(tick.Dinghies, tick.Upwind) : TContactVerdict{};

    for (size_t i = 0; i < FDinghies.size(); ++i) {
        TDinghyRegatta& dinghy = FDinghies[i];
        const TDinghyView& now = tick.Dinghies[i];
        const int32_t index = static_cast<int32_t>(i);
        if (!dinghy.Seen)
            dinghy.Last = now;

        if (!penalties && now.Crashed && !Done(dinghy)) {
            dinghy.Standing = TStanding::Out;
            events.Add(TRaceEvent::Out, index);
        }
        if (dinghy.Standing == TStanding::Early && now.Top >= lineY)
            dinghy.Standing = TStanding::Waiting;
        if (dinghy.Standing == TStanding::Waiting && sinceStart >= 1 &&
            CrossedUpwards(dinghy.Last.Bow, now.Bow, FCourse)) {
            dinghy.Standing = TStanding::Racing;
            dinghy.Lap = 1;
            dinghy.LapBegan = 0;
            dinghy.Winding = 0;
            dinghy.MarkRounded = false;
            events.Add(TRaceEvent::Started, index);
        }
        if (penalties && !Done(dinghy)) {
            if (verdict.Penalised[i])
                Penalise(dinghy, index, 2, verdict.Rule, events);
            if (tick.BuoyContact[i] && !dinghy.TouchingBuoy)
                Penalise(dinghy, index, 1, TRule::Mark, events);
            SailTurns(dinghy, index, now.Heading, events);
        }
        if (dinghy.Standing == TStanding::Racing && !dinghy.MarkRounded)
            RoundMark(dinghy, index, now, FCourse.Mark, events);
        if (dinghy.Standing == TStanding::Racing && dinghy.MarkRounded &&
            CrossedDownwards(dinghy.Last.Bow, now.Bow, FCourse))
            PassGate(dinghy, index, sinceStart, FSettings.Laps, FFinishers, events);

        dinghy.Last = now;
        dinghy.Seen = true;
        dinghy.TouchingDinghy = tick.DinghyContact;
        dinghy.TouchingBuoy = tick.BuoyContact[i];
    }

    if (FPhase == TRegattaPhase::Racing && Done(FDinghies[0]) && Done(FDinghies[1])) {
        FPhase = TRegattaPhase::Over;
        events.Add(TRaceEvent::Over, -1);
    }
}
