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
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/regatta/DinghyView.h"
#include "tools/ReplayScript.h"

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
    int FTack = 1;
};

// Follows waypoints one after the other; done once the last is reached.
class TRoute {
public:
    TRoute(int dinghy, std::vector<TPointD> points) : FDinghy(dinghy), FPoints(std::move(points)) {}
    int Steer(const TRace& race)
    {
        while (FNext < FPoints.size() && Distance(Middle(race, FDinghy), FPoints[FNext]) < 30)
            ++FNext;
        if (FNext == FPoints.size())
            return 1;
        return FSailor.Towards(race, FDinghy, FPoints[FNext]);
    }
    bool Done() const { return FNext == FPoints.size(); }

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

// Ways for the dinghies to meet: head on, one chasing the other's stern, both for one point.
const std::vector<std::pair<const char*, TPilot>>& Meetings()
{
    static const std::vector<std::pair<const char*, TPilot>> meetings = {
        {"head on",
         [](const TRace& race, long, int& g, int& r) {
             g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), Middle(race, 1)));
             r = TillerFor(race.Dinghies[1]->Heading, BearingTo(Middle(race, 1), Middle(race, 0)));
         }},
        {"green chases",
         [](const TRace& race, long, int& g, int& r) {
             const TQuibo& red = *race.Dinghies[1];
             g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), {red.X, red.Y}));
             r = 1;
         }},
        {"red chases",
         [](const TRace& race, long, int& g, int& r) {
             const TQuibo& green = *race.Dinghies[0];
             r = TillerFor(race.Dinghies[1]->Heading, BearingTo(Middle(race, 1), {green.X, green.Y}));
             g = 1;
         }},
        {"side by side",
         [](const TRace& race, long, int& g, int& r) {
             const TPointD a = Middle(race, 0);
             const TPointD b = Middle(race, 1);
             const TPointD meet{(a.X + b.X) / 2, std::min(a.Y, b.Y) - 200};
             g = TillerFor(race.Dinghies[0]->Heading, BearingTo(a, meet));
             r = TillerFor(race.Dinghies[1]->Heading, BearingTo(b, meet));
         }},
    };
    return meetings;
}

// Plays candidates from the script so far until one meeting, with the wind set anew just before the hulls
// touch, gives exactly the wanted penalties; then both dinghies part and take their turns.
std::unique_ptr<TRun> Stage(const TRun& from, TRule rule, std::array<bool, 2> penalised)
{
    for (const auto& [name, meet] : Meetings()) {
        for (int wind = 15; wind <= 360; wind += 15) {
            auto run = std::make_unique<TRun>(from.Lines);
            bool switched = false;
            const auto touched = [&run] { return run->Count(TRaceEvent::Penalty) > 0; };
            const bool met = run->SteerUntil(700, touched, [&](const TRace& race, long t, int& g, int& r) {
                meet(race, t, g, r);
                if (!switched && Distance(Middle(race, 0), Middle(race, 1)) < 60) {
                    switched = true;
                    run->Line("wind " + std::to_string(wind) + " 0 15");
                }
            });
            if (!met)
                continue;
            run->Line("wind 360 0 15");
            // Apart, then the turns, each well away from the other.
            run->SteerUntil(90, [] { return false; }, [](const TRace& race, long, int& g, int& r) {
                g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), {760, 330}));
                r = TillerFor(race.Dinghies[1]->Heading, BearingTo(Middle(race, 1), {320, 330}));
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
                std::fprintf(stderr, "rule %d (%s, wind %d) by tick %ld\n", static_cast<int>(rule), name, wind,
                             run->Ticks());
                run->Events.clear();
                return run;
            }
        }
    }
    return nullptr;
}

// Around the mark leaving it to port, then down through the gate.
std::vector<TPointD> Lap(const TCourse& c)
{
    const TPointD m = c.Mark;
    return {{m.X + 70, m.Y + 40}, {m.X + 50, m.Y - 60}, {m.X - 60, m.Y - 55}, {m.X - 75, m.Y + 50},
            {(c.LineLeft.X + c.LineRight.X) / 2, c.LineLeft.Y + 70}};
}

// The first lap's rounding the wrong way (clockwise), undone, then sailed the right way.
std::vector<TPointD> WrongLap(const TCourse& c)
{
    const TPointD m = c.Mark;
    const TPointD eastBelow{m.X + 70, m.Y + 40};
    const TPointD eastAbove{m.X + 50, m.Y - 60};
    const TPointD westAbove{m.X - 60, m.Y - 55};
    const TPointD westBelow{m.X - 75, m.Y + 50};
    return {{m.X - 75, m.Y + 90}, westBelow, westAbove, eastAbove, eastBelow, {m.X + 70, m.Y + 90},
            eastBelow,           eastAbove, westAbove, westBelow, {m.X - 75, m.Y + 90}, {m.X + 70, m.Y + 90},
            eastBelow,           eastAbove, westAbove, westBelow,
            {(c.LineLeft.X + c.LineRight.X) / 2, c.LineLeft.Y + 70}};
}

} // namespace

int main()
{
    auto run = std::make_unique<TRun>(std::vector<std::string>{});
    run->Line("wind 360 0 15");
    run->Line("regatta 2 penalties");
    const TCourse course = run->Race().Course();

    // The countdown: green touches the right-hand buoy and takes its turn; red sails over the line and
    // waits there for the signal.
    {
        bool turning = false;
        bool below = false;
        run->SteerUntil(TRegatta::CountdownTicks, [] { return false; }, [&](const TRace& race, long, int& g,
                                                                          int& r) {
            const TDinghyRegatta& green = run->Regatta().Dinghy(0);
            if (green.Penalties == 0) {
                g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), course.LineRight));
            } else if (green.TurnsOwed > 0) {
                turning = true;
                g = 0;
            } else if (!below) {
                g = TillerFor(race.Dinghies[0]->Heading, BearingTo(Middle(race, 0), {560, 690}));
                below = Middle(race, 0).Y > 660;
            } else {
                g = TillerFor(race.Dinghies[0]->Heading, 300);
            }
            const TPointD redAt = Middle(race, 1);
            r = redAt.Y > 470 ? TillerFor(race.Dinghies[1]->Heading, BearingTo(redAt, {430, 460}))
                              : TillerFor(race.Dinghies[1]->Heading, 270);
        });
        if (!turning || run->Regatta().Dinghy(0).TurnsOwed > 0)
            Fail("green did not touch the buoy and take its turn in the countdown");
    }
    // The start: green goes; red comes back below the line and starts again.
    {
        TRoute greenStart(0, {{520, 540}});
        TRoute redBack(1, {{420, 650}, {470, 530}});
        const bool started = run->SteerUntil(
            3000,
            [&] {
                return run->Regatta().Dinghy(0).Standing == TStanding::Racing &&
                       run->Regatta().Dinghy(1).Standing == TStanding::Racing;
            },
            [&](const TRace& race, long, int& g, int& r) {
                g = greenStart.Steer(race);
                r = redBack.Steer(race);
            });
        if (!started || run->Count(TRaceEvent::Early) != 1)
            Fail("the start did not go as planned");
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
    for (const auto& stage : stages) {
        run->Flush();
        auto next = Stage(*run, stage.Rule, stage.Penalised);
        if (!next) {
            // Either dinghy may break it; the other way round will do.
            next = Stage(*run, stage.Rule, {stage.Penalised[1], stage.Penalised[0]});
            if (!next) {
                std::fprintf(stderr, "plan_golden_regatta: no meeting gave %s\n", stage.Name);
                return 1;
            }
        }
        run = std::move(next);
    }
    // The course: green rounds the wrong way on its first lap and undoes it.
    {
        std::vector<TPointD> greenWay = WrongLap(course);
        std::vector<TPointD> redWay = Lap(course);
        for (const TPointD& p : Lap(course)) {
            greenWay.push_back(p);
            redWay.push_back(p);
        }
        TRoute green(0, greenWay);
        TRoute red(1, redWay);
        const bool over = run->SteerUntil(
            40000, [&] { return run->Regatta().Phase() == TRegattaPhase::Over; },
            [&](const TRace& race, long, int& g, int& r) {
                const auto owes = [&](int d) { return run->Regatta().Dinghy(static_cast<size_t>(d)).TurnsOwed > 0; };
                g = owes(0) ? 0 : green.Steer(race);
                r = owes(1) ? 0 : red.Steer(race);
            });
        if (!over || run->Count(TRaceEvent::Finished) != 2)
            Fail("the dinghies did not both finish");
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
