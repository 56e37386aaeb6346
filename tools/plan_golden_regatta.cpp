// Writes the script of the golden regatta (tests/simulation/golden/regatta.script): a two-lap regatta with
// penalty turns in which the red dinghy is over the line at the start and returns, the green one touches a
// buoy in the countdown, every rule of the contact cases is broken once and each penalty is taken, the green
// dinghy rounds the mark the wrong way and undoes it, and both finish.
//
// Pilots steer towards waypoints while the regatta is played headless, tacking up the laylines. A staged
// contact is found by search: from the script so far, a few ways of meeting under each wind are played until
// one gives exactly the penalty wanted; that one is kept. What the pilots did is written out tick by tick, so
// the script replays exactly that regatta.
//
// Usage: plan_golden_regatta > regatta.script. Ends with exit code 1 if a stage could not be staged.
#include "simulation/Collision.h"
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/regatta/DinghyView.h"
#include "tools/ReplayScript.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr uint32_t TimeOfDay = 14 * 3600 * 1000 + 5 * 60 * 1000 + 31 * 1000 + 250;

using TPilot = std::function<void(const TRace&, long t, int& green, int& red)>;

double Fold180(double a)
{
    a = std::fmod(a, 360.0);
    if (a > 180)
        a -= 360;
    if (a <= -180)
        a += 360;
    return a;
}

double BearingTo(TPointD from, TPointD to)
{
    return std::atan2(to.X - from.X, from.Y - to.Y) * 180 / std::numbers::pi;
}

double Distance(TPointD a, TPointD b)
{
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

TPointD Middle(const TRace& race, int d)
{
    return ViewOf(*race.Dinghies[static_cast<size_t>(d)], race).Middle();
}

// The tiller that turns the heading towards the wanted one.
int TillerFor(int32_t heading, double wanted)
{
    const double diff = Fold180(wanted - heading);
    if (diff > 2)
        return 0;
    if (diff < -2)
        return 2;
    return 1;
}

// Sails for a point: straight where it can be fetched, else close-hauled on the present tack until the point
// is on the other tack's layline or the dinghy has strayed too far across the wind.
class TSailor {
public:
    // tack: the side to hold first when the point cannot be fetched, 1 with the wind over port (heading
    // clockwise of the wind), -1 over starboard.
    explicit TSailor(int tack = 1) : FTack(tack) {}

    int Towards(const TRace& race, int d, TPointD target)
    {
        const TQuibo& dinghy = *race.Dinghies[static_cast<size_t>(d)];
        const TPointD at = Middle(race, d);
        const double wind = race.WindDirection;
        const double bearing = BearingTo(at, target);
        const double rel = Fold180(bearing - wind);
        if (std::fabs(rel) >= CloseHauled) {
            FTack = rel > 0 ? 1 : -1;
            return TillerFor(dinghy.Heading, bearing);
        }
        const double across = Distance(at, target) * std::sin(rel * std::numbers::pi / 180);
        if ((FTack > 0 && across < -Corridor) || (FTack < 0 && across > Corridor))
            FTack = -FTack;
        return TillerFor(dinghy.Heading, wind + CloseHauled * FTack);
    }

private:
    static constexpr double CloseHauled = 48;
    static constexpr double Corridor = 140;
    int FTack;
};

// Keeps the dinghy near a point: sailing up towards it while below it, head to wind (drifting back) above it.
int Hold(const TRace& race, int d, TPointD point)
{
    const TPointD at = Middle(race, d);
    const double heading = at.Y <= point.Y ? 360 : at.X < point.X ? 45 : 315;
    return TillerFor(race.Dinghies[static_cast<size_t>(d)]->Heading, heading);
}

// Follows waypoints one after the other; done once the last is reached.
class TRoute {
public:
    TRoute(int dinghy, std::vector<TPointD> points, int tack = 1)
        : FDinghy(dinghy), FPoints(std::move(points)), FSailor(tack)
    {
    }
    int Steer(const TRace& race)
    {
        while (FNext < FPoints.size() && Distance(Middle(race, FDinghy), FPoints[FNext]) < 30)
            ++FNext;
        if (FNext == FPoints.size())
            return 1;
        return FSailor.Towards(race, FDinghy, FPoints[FNext]);
    }
    bool Done() const { return FNext == FPoints.size(); }
    size_t Next() const { return FNext; }

private:
    int FDinghy;
    std::vector<TPointD> FPoints;
    size_t FNext = 0;
    TSailor FSailor;
};

// One headless regatta played from a script, then steered on; writes what it did as script lines.
class TRun {
public:
    explicit TRun(const std::vector<std::string>& script) : FGame(false, TimeOfDay), FPlayer(FGame, [this] {
        ++FTicks;
        TRaceEvent e;
        while (FGame.Race().Events.Take(e))
            Events.push_back(e);
    })
    {
        RandSeed = 0;
        for (const std::string& line : script)
            Play(line);
        Lines = script;
        Events.clear();
    }

    void Line(const std::string& text)
    {
        Flush();
        Lines.push_back(text);
        Play(text);
    }

    void Tick(int green, int red)
    {
        if (FPending > 0 && (green != FGreen || red != FRed))
            Flush();
        FGreen = green;
        FRed = red;
        ++FPending;
        TReplayLine line;
        line.Kind = TReplayLine::Stretch;
        line.Ticks = 1;
        line.Green = static_cast<TTiller>(green);
        line.Red = static_cast<TTiller>(red);
        if (!FPlayer.Play(line)) {
            std::fprintf(stderr, "plan_golden_regatta: the timer stopped at tick %ld\n", FTicks);
            std::exit(1);
        }
    }

    // Steers until done says so or the limit passes; false at the limit.
    bool SteerUntil(long limit, const std::function<bool()>& done, const TPilot& pilot)
    {
        for (long t = 0; t < limit; ++t) {
            if (done())
                return true;
            int green = 1, red = 1;
            pilot(Race(), t, green, red);
            Tick(green, red);
        }
        return done();
    }

    void Flush()
    {
        if (FPending > 0)
            Lines.push_back(std::to_string(FPending) + " " + std::to_string(FGreen) + " " + std::to_string(FRed));
        FPending = 0;
    }

    const TRace& Race() { return FGame.Race(); }
    const TRegatta& Regatta() { return *FGame.Race().Regatta; }
    long Ticks() const { return FTicks; }
    size_t Count(TRaceEvent::TKind kind) const
    {
        size_t n = 0;
        for (const TRaceEvent& e : Events)
            n += e.Kind == kind;
        return n;
    }

    std::vector<std::string> Lines;
    std::vector<TRaceEvent> Events;

private:
    void Play(const std::string& text)
    {
        if (!FPlayer.Play(ParseReplayLine(text))) {
            std::fprintf(stderr, "plan_golden_regatta: the timer stopped at '%s'\n", text.c_str());
            std::exit(1);
        }
    }

    THeadlessGame FGame;
    TReplayPlayer FPlayer;
    long FTicks = 0;
    long FPending = 0;
    int FGreen = 1;
    int FRed = 1;
};

void Fail(const char* what)
{
    std::fprintf(stderr, "plan_golden_regatta: %s\n", what);
    std::exit(1);
}

// Turns the penalised dinghies on the spot, clockwise, until they owe nothing; the others hold their course.
bool TakeTurns(TRun& run)
{
    const auto owes = [&run](int d) { return run.Regatta().Dinghy(static_cast<size_t>(d)).TurnsOwed > 0; };
    return run.SteerUntil(1500, [&] { return !owes(0) && !owes(1); },
                          [&](const TRace&, long, int& g, int& r) {
                              g = owes(0) ? 0 : 1;
                              r = owes(1) ? 0 : 1;
                          });
}

// Whether the boxes around the hulls are within a few pixels of each other: the wind set anew now decides the
// tacks at the contact, too late to change where the dinghies go.
bool AboutToTouch(const TRace& race)
{
    TRect a = HullRect(*race.Dinghies[0], race.SinTable);
    const TRect b = HullRect(*race.Dinghies[1], race.SinTable);
    a.Left -= 3;
    a.Top -= 3;
    a.Right += 3;
    a.Bottom += 3;
    return !Intersection(a, b).Empty();
}

// A way for the dinghies to meet: where each waits, the wind they approach in, how they steer.
struct TMeeting {
    const char* Name;
    TPointD Green;
    TPointD Red;
    int ApproachWind;
    TPilot Pilot;
};

const std::vector<TMeeting>& Meetings()
{
    static const std::vector<TMeeting> meetings = {
        {"head on", {650, 390}, {430, 390}, 360,
         [](const TRace& race, long, int& g, int& r) {
             g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), Middle(race, 1)));
             r = TillerFor(race.Dinghies[1]->Heading, BearingTo(Middle(race, 1), Middle(race, 0)));
         }},
        // Red stops head to wind; green sails up to its stern from behind.
        {"from astern", {440, 490}, {560, 330}, 350,
         [](const TRace& race, long, int& g, int& r) {
             const TQuibo& red = *race.Dinghies[1];
             g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), {red.X, red.Y}));
             r = TillerFor(red.Heading, 360);
         }},
        // The same with the colours changed.
        {"red from astern", {560, 330}, {440, 490}, 350,
         [](const TRace& race, long, int& g, int& r) {
             const TQuibo& green = *race.Dinghies[0];
             r = TillerFor(race.Dinghies[1]->Heading, BearingTo(Middle(race, 1), {green.X, green.Y}));
             g = TillerFor(green.Heading, 360);
         }},
        // Both sail up and into each other at a narrow angle, level.
        {"converging", {620, 440}, {460, 440}, 90,
         [](const TRace& race, long, int& g, int& r) {
             g = TillerFor(race.Dinghies[0]->Heading, 335);
             r = TillerFor(race.Dinghies[1]->Heading, 25);
         }},
    };
    return meetings;
}

// Plays candidates from the script so far until one meeting, with the wind set anew just before the hulls
// touch, gives exactly the wanted penalties; then both dinghies part and take their turns.
std::unique_ptr<TRun> Stage(const TRun& from, TRule rule, std::array<bool, 2> penalised)
{
    for (const TMeeting& meeting : Meetings()) {
        for (int wind = 15; wind <= 360; wind += 15) {
            auto run = std::make_unique<TRun>(from.Lines);
            TRoute green(0, {meeting.Green});
            TRoute red(1, {meeting.Red});
            // The first there waits for the other.
            if (!run->SteerUntil(3000, [&] { return green.Done() && red.Done(); },
                                 [&](const TRace& race, long, int& g, int& r) {
                                     g = green.Done() ? Hold(race, 0, meeting.Green) : green.Steer(race);
                                     r = red.Done() ? Hold(race, 1, meeting.Red) : red.Steer(race);
                                 }))
                continue;
            run->Line("wind " + std::to_string(meeting.ApproachWind) + " 0 15");
            bool switched = false;
            const auto touched = [&run] { return run->Count(TRaceEvent::Penalty) > 0; };
            const bool met = run->SteerUntil(700, touched, [&](const TRace& race, long t, int& g, int& r) {
                meeting.Pilot(race, t, g, r);
                if (!switched && AboutToTouch(race)) {
                    switched = true;
                    run->Line("wind " + std::to_string(wind) + " 0 15");
                }
            });
            if (!met)
                continue;
            run->Line("wind 360 0 15");
            // Apart, then the turns, each well away from the other and from the buoys.
            const auto away = [&run](int d) {
                const TPointD self = Middle(run->Race(), d);
                const TPointD other = Middle(run->Race(), 1 - d);
                const double length = std::max(1.0, Distance(self, other));
                return TPointD{std::clamp(self.X + (self.X - other.X) / length * 250, 180.0, 900.0),
                               std::clamp(self.Y + (self.Y - other.Y) / length * 250, 280.0, 480.0)};
            };
            TRoute greenAway(0, {away(0)});
            TRoute redAway(1, {away(1)});
            run->SteerUntil(150, [] { return false; }, [&](const TRace& race, long, int& g, int& r) {
                g = greenAway.Steer(race);
                r = redAway.Steer(race);
            });
            if (!TakeTurns(*run))
                continue;
            std::array<bool, 2> got{};
            bool exact = true;
            for (const TRaceEvent& e : run->Events) {
                if (e.Kind != TRaceEvent::Penalty)
                    continue;
                exact = exact && e.Rule == rule && !got[static_cast<size_t>(e.Dinghy)];
                got[static_cast<size_t>(e.Dinghy)] = true;
            }
            if (exact && got == penalised) {
                std::fprintf(stderr, "rule %d (%s, wind %d) by tick %ld\n", static_cast<int>(rule), meeting.Name,
                             wind, run->Ticks());
                run->Events.clear();
                return run;
            }
        }
    }
    return nullptr;
}

// Sails the course by what the referee says: penalty turns first, then around the mark until it counts as
// rounded (the first time the wrong way round first, if asked), then down through the gate; after the finish
// it waits below the line.
class TCoursePilot {
public:
    TCoursePilot(int dinghy, const TCourse& course, bool wrongFirst)
        : FDinghy(dinghy), FWrongFirst(wrongFirst), FGate{(course.LineLeft.X + course.LineRight.X) / 2,
                                                           course.LineLeft.Y + 70}
    {
        const TPointD m = course.Mark;
        FLoop = {TPointD{m.X + 100, m.Y + 30}, {m.X + 80, m.Y - 70}, {m.X - 80, m.Y - 70}, {m.X - 100, m.Y + 30}};
    }

    int Steer(const TRace& race, const TRegatta& regatta)
    {
        const TDinghyRegatta& me = regatta.Dinghy(static_cast<size_t>(FDinghy));
        if (me.Standing != TStanding::Racing)
            return Hold(race, FDinghy, {FGate.X, FGate.Y + 30});
        if (me.TurnsOwed > 0)
            return 0;
        if (me.MarkRounded) {
            FNext = 0;
            return FSailor.Towards(race, FDinghy, FGate);
        }
        const bool wrongWay = FWrongFirst && !FWrongDone;
        if (wrongWay && me.Winding <= -3) {
            FWrongDone = true;
            std::fprintf(stderr, "dinghy %d rounded the wrong way\n", FDinghy);
        }
        // The wrong way visits the loop's points backwards.
        const TPointD next = FLoop[wrongWay ? 3 - FNext : FNext];
        if (Distance(Middle(race, FDinghy), next) < 35)
            FNext = (FNext + 1) % FLoop.size();
        return FSailor.Towards(race, FDinghy, next);
    }
    bool WrongDone() const { return FWrongDone; }

private:
    int FDinghy;
    bool FWrongFirst;
    bool FWrongDone = false;
    TPointD FGate;
    std::array<TPointD, 4> FLoop{};
    size_t FNext = 0;
    TSailor FSailor;
};

} // namespace

int main()
{
    auto run = std::make_unique<TRun>(std::vector<std::string>{});
    run->Line("wind 360 0 15");
    run->Line("regatta 2 penalties");
    const TCourse course = run->Race().Course();

    // The countdown: green touches the right-hand buoy, takes its turn and waits below the line; red sails
    // over the line and waits there for the signal.
    {
        TRoute redUp(1, {{450, 515}});
        run->SteerUntil(TRegatta::CountdownTicks - 30, [] { return false; },
                        [&](const TRace& race, long, int& g, int& r) {
                            const TDinghyRegatta& green = run->Regatta().Dinghy(0);
                            if (green.Penalties == 0)
                                g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), course.LineRight));
                            else if (green.TurnsOwed > 0)
                                g = 0;
                            else
                                g = Hold(race, 0, {600, 665});
                            r = redUp.Done() ? Hold(race, 1, {450, 515}) : redUp.Steer(race);
                        });
        if (run->Regatta().Dinghy(0).Penalties != 1 || run->Regatta().Dinghy(0).TurnsOwed > 0)
            Fail("green did not touch the buoy and take its turn in the countdown");
    }
    // The start: green goes with the signal; red, over the line at the signal, comes back below it and starts
    // again.
    {
        TRoute greenStart(0, {{560, 530}}, -1);
        TRoute redBack(1, {{430, 655}, {470, 530}});
        const bool started = run->SteerUntil(
            3000,
            [&] {
                return run->Regatta().Dinghy(0).Standing == TStanding::Racing &&
                       run->Regatta().Dinghy(1).Standing == TStanding::Racing;
            },
            [&](const TRace& race, long, int& g, int& r) {
                g = greenStart.Steer(race);
                r = run->Regatta().Phase() == TRegattaPhase::Countdown ? Hold(race, 1, {450, 515}) : redBack.Steer(race);
            });
        if (!started || run->Count(TRaceEvent::Early) != 1 || run->Count(TRaceEvent::Penalty) != 1) {
            for (const TRaceEvent& e : run->Events)
                std::fprintf(stderr, "%s\n", RegattaEventLine(e.Tick, e).c_str());
            Fail("the start did not go as planned");
        }
        run->Events.clear();
    }
    // Every contact case once.
    const struct {
        TRule Rule;
        std::array<bool, 2> Penalised;
        const char* Name;
    } stages[] = {
        {TRule::PortStarboard, {false, true}, "port and starboard"},
        {TRule::Tacking, {true, false}, "one tacking"},
        {TRule::Tacking, {true, true}, "both tacking"},
        {TRule::ClearAstern, {true, false}, "clear astern"},
        {TRule::Windward, {false, true}, "windward"},
    };
    // Whichever can be staged next, until every one is.
    std::vector<bool> staged(std::size(stages), false);
    for (size_t done = 0; done < std::size(stages);) {
        run->Flush();
        bool progressed = false;
        for (size_t i = 0; i < std::size(stages) && !progressed; ++i) {
            if (staged[i])
                continue;
            auto next = Stage(*run, stages[i].Rule, stages[i].Penalised);
            // Either dinghy may break it; the other way round will do.
            if (!next)
                next = Stage(*run, stages[i].Rule, {stages[i].Penalised[1], stages[i].Penalised[0]});
            if (next) {
                run = std::move(next);
                staged[i] = progressed = true;
                ++done;
            }
        }
        if (!progressed) {
            for (size_t i = 0; i < std::size(stages); ++i)
                if (!staged[i])
                    std::fprintf(stderr, "plan_golden_regatta: no meeting gave %s\n", stages[i].Name);
            return 1;
        }
    }
    // The course: green rounds the wrong way on its first lap and undoes it.
    {
        TCoursePilot green(0, course, true);
        TCoursePilot red(1, course, false);
        const bool over = run->SteerUntil(
            40000, [&] { return run->Regatta().Phase() == TRegattaPhase::Over; },
            [&](const TRace& race, long, int& g, int& r) {
                g = green.Steer(race, run->Regatta());
                r = red.Steer(race, run->Regatta());
            });
        if (!over || run->Count(TRaceEvent::Finished) != 2 || !green.WrongDone()) {
            for (const TRaceEvent& e : run->Events)
                std::fprintf(stderr, "%s\n", RegattaEventLine(e.Tick, e).c_str());
            Fail("the dinghies did not both finish, or green never rounded the wrong way");
        }
    }
    run->SteerUntil(120, [] { return false; }, [](const TRace&, long, int& g, int& r) { g = r = 1; });
    run->Flush();

    std::printf("# The golden regatta: written by tools/plan_golden_regatta, replayed by the golden regatta test.\n");
    std::printf("# Seeded with --time-of-day %u.\n", TimeOfDay);
    for (const std::string& line : run->Lines)
        std::printf("%s\n", line.c_str());
    std::fprintf(stderr, "%ld ticks\n", run->Ticks());
    return 0;
}
