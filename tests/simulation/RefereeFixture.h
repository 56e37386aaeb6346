#pragma once
#include "simulation/RaceEventLog.h"
#include "simulation/regatta/Regatta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

// The regatta's course as the race lays it out.
inline constexpr TCourse RegattaCourse{{358, 579}, {718, 579}, {718, 114}};

inline constexpr double HullLength = 30;

// A hull from its stern to its bow; Top and Bottom from those two points unless the corners are given.
inline TDinghyView Hull(TPointD stern, TPointD bow, int32_t heading = 360, int32_t relativeWind = 45)
{
    TDinghyView view;
    view.Stern = stern;
    view.Bow = bow;
    view.Top = std::min(stern.Y, bow.Y);
    view.Bottom = std::max(stern.Y, bow.Y);
    view.Heading = heading;
    view.RelativeWind = relativeWind;
    return view;
}

// A hull pointing up, its bow at (x, bowY).
inline TDinghyView Upright(double x, double bowY)
{
    return Hull({x, bowY + HullLength}, {x, bowY});
}

// A hull pointing up whose middle is at p (what the mark rounding follows).
inline TDinghyView MiddleAt(TPointD p)
{
    return Hull({p.X, p.Y + HullLength / 2}, {p.X, p.Y - HullLength / 2});
}

// Where a dinghy keeps out of the way below the line.
inline TDinghyView Idle()
{
    return Upright(400, 700);
}

// Feeds a regatta tick by tick and keeps every event it gives.
class TRefereeRun {
public:
    static constexpr int64_t FirstRaceTick = 5000;

    explicit TRefereeRun(TRegattaSettings settings = {}) : Regatta(settings, RegattaCourse) {}

    // One tick; the events it gave.
    std::vector<TRaceEvent> Tick(const TRegattaTick& tick)
    {
        Regatta.Tick(tick, FirstRaceTick + Regatta.Ticks(), Log);
        std::vector<TRaceEvent> events;
        TRaceEvent event;
        while (Log.Take(event))
            events.push_back(event);
        All.insert(All.end(), events.begin(), events.end());
        return events;
    }

    std::vector<TRaceEvent> Tick(const TDinghyView& green, const TDinghyView& red = Idle())
    {
        TRegattaTick tick;
        tick.Dinghies = {green, red};
        return Tick(tick);
    }

    // The countdown up to the tick before the signal, the dinghies standing where given.
    void CountDown(const TDinghyView& green = Idle(), const TDinghyView& red = Idle())
    {
        while (Regatta.TicksSinceStart() < -1)
            Tick(green, red);
    }

    // Green started and racing just above the line at x, red idle below it.
    void StartGreen(double x = 500)
    {
        CountDown(Upright(x, 590));
        Tick(Upright(x, 590));
        Tick(Upright(x, 575));
        ASSERT_EQ(Green().Standing, TStanding::Racing);
    }

    const TDinghyRegatta& Green() const { return Regatta.Dinghy(0); }
    const TDinghyRegatta& Red() const { return Regatta.Dinghy(1); }

    TRegatta Regatta;
    TRaceEventLog Log;
    std::vector<TRaceEvent> All;
};

// The events of one kind (and one dinghy, unless -2) among these.
inline std::vector<TRaceEvent> Of(const std::vector<TRaceEvent>& events, TRaceEvent::TKind kind, int dinghy = -2)
{
    std::vector<TRaceEvent> found;
    for (const TRaceEvent& e : events)
        if (e.Kind == kind && (dinghy == -2 || e.Dinghy == dinghy))
            found.push_back(e);
    return found;
}

inline std::vector<TRaceEvent::TKind> Kinds(const std::vector<TRaceEvent>& events)
{
    std::vector<TRaceEvent::TKind> kinds;
    for (const TRaceEvent& e : events)
        kinds.push_back(e.Kind);
    return kinds;
}
