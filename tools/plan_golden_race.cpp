// Writes the script of the golden race (tests/simulation/golden/race.script): a long race in which both
// players steer, every buoy and the other dinghy are hit, the race is restarted, paused, left and rejoined,
// and the wind is set anew. Pilots steer towards targets while the race is played headless; what they did is
// written out tick by tick, so the script replays exactly that race.
//
// Usage: plan_golden_race > race.script. Ends with exit code 1 if a planned collision did not happen.
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

namespace {

constexpr uint32_t TimeOfDay = 9 * 3600 * 1000 + 41 * 60 * 1000 + 7 * 1000 + 345;

struct TPoint {
    double X, Y;
};

// The tiller that turns the dinghy's heading towards the point.
int TillerTowards(const TQuibo& dinghy, TPoint target)
{
    const double bearing = std::atan2(target.X - dinghy.X, dinghy.Y - target.Y) * 180 / std::numbers::pi;
    double diff = std::fmod(bearing - dinghy.Heading + 720.0, 360.0);
    if (diff > 180)
        diff -= 360;
    if (diff > 3)
        return 0;
    if (diff < -3)
        return 2;
    return 1;
}

class TPlanner {
public:
    TPlanner() : FGame(false, TimeOfDay), FPlayer(FGame, [this] { ++FTicks; }) {}

    void Line(const std::string& text)
    {
        FlushStretch();
        std::printf("%s\n", text.c_str());
        FPlayer.Play(ParseReplayLine(text));
    }

    // One tick with these tillers; runs of equal tillers are written as one line.
    void Tick(int green, int red)
    {
        if (FPending > 0 && (green != FGreen || red != FRed))
            FlushStretch();
        FGreen = green;
        FRed = red;
        ++FPending;
        TReplayLine line;
        line.Kind = TReplayLine::Stretch;
        line.Ticks = 1;
        line.Green = static_cast<TTiller>(green);
        line.Red = static_cast<TTiller>(red);
        if (!FPlayer.Play(line)) {
            std::fprintf(stderr, "plan_golden_race: the timer stopped at tick %ld\n", FTicks);
            std::exit(1);
        }
    }

    // Ticks with tillers chosen from the race as it stands before each tick.
    void Steer(long ticks, const std::function<void(const TRace&, long, int&, int&)>& pilot)
    {
        for (long t = 0; t < ticks; ++t) {
            int green = 1, red = 1;
            pilot(FGame.Race(), t, green, red);
            Tick(green, red);
        }
    }

    // Steers until the condition holds, then lets the explosion play out; fails when it never holds.
    void SteerUntil(const char* what, long limit, const std::function<bool(const TRace&)>& done,
                    const std::function<void(const TRace&, long, int&, int&)>& pilot)
    {
        long t = 0;
        while (!done(FGame.Race())) {
            if (t == limit) {
                std::fprintf(stderr, "plan_golden_race: %s did not happen within %ld ticks\n", what, limit);
                std::exit(1);
            }
            int green = 1, red = 1;
            pilot(FGame.Race(), t++, green, red);
            Tick(green, red);
        }
        std::fprintf(stderr, "%s at tick %ld\n", what, FTicks);
        Steer(150, [](const TRace&, long, int& g, int& r) { g = r = 1; });
    }

    void FlushStretch()
    {
        if (FPending > 0)
            std::printf("%ld %d %d\n", FPending, FGreen, FRed);
        FPending = 0;
    }

    long Ticks() const { return FTicks; }
    const TRace& Race() { return FGame.Race(); }

private:
    THeadlessGame FGame;
    TReplayPlayer FPlayer;
    long FTicks = 0;
    long FPending = 0;
    int FGreen = 1;
    int FRed = 1;
};

TPoint At(const TSprite& sprite)
{
    return {sprite.X, sprite.Y};
}

// Green circles to port, red zigzags.
void Wander(const TRace&, long t, int& green, int& red)
{
    green = t % 50 < 20 ? 0 : 1;
    red = (t / 15) % 2 == 0 ? 0 : 2;
}

// A point that moves around the frame, for the red dinghy to chase while the green one chases it.
TPoint Roaming(long t)
{
    const double a = static_cast<double>(t) / 400.0;
    return {538 + 380 * std::sin(a * 1.3), 375 + 260 * std::cos(a * 0.7)};
}

} // namespace

int main()
{
    TPlanner p;
    std::printf("# The golden race: written by tools/plan_golden_race, replayed by the golden race test.\n");
    std::printf("# Seeded with --time-of-day %u.\n", TimeOfDay);

    p.Steer(1500, Wander);
    p.Line("wind 90 30 18");
    p.Steer(1500, [](const TRace&, long t, int& g, int& r) {
        g = static_cast<int>((t / 40) % 3);
        r = t % 70 < 25 ? 2 : 1;
    });
    p.Line("pause");
    p.Line("wait 2000");
    p.Line("resume");
    p.Steer(500, Wander);
    p.Line("inactive");
    p.Line("wait 1500");
    p.Line("active");
    p.Steer(500, Wander);

    p.Line("restart");
    p.Line("wind 360 5 15");
    p.SteerUntil("green on the right buoy", 3000, [](const TRace& r) { return r.Dinghies[0]->Crashed; },
                 [](const TRace& r, long t, int& g, int& red) {
                     g = TillerTowards(*r.Dinghies[0], At(*r.Buoys[0]));
                     red = t % 60 < 30 ? 0 : 2;
                 });
    p.Line("restart");
    p.SteerUntil("red on the left buoy", 3000, [](const TRace& r) { return r.Dinghies[1]->Crashed; },
                 [](const TRace& r, long t, int& g, int& red) {
                     g = t % 60 < 30 ? 2 : 0;
                     red = TillerTowards(*r.Dinghies[1], At(*r.Buoys[1]));
                 });
    p.Line("restart");
    p.Line("wind 180 0 20");
    p.SteerUntil("green on the top buoy", 3000, [](const TRace& r) { return r.Dinghies[0]->Crashed; },
                 [](const TRace& r, long, int& g, int& red) {
                     g = TillerTowards(*r.Dinghies[0], At(*r.Buoys[2]));
                     red = 2;
                 });
    // Restarted while the red dinghy still sails: the restart takes it back mid-race.
    p.Line("restart");
    p.Line("wind 360 10 20");
    p.SteerUntil("both dinghies into each other", 3000,
                 [](const TRace& r) { return r.Dinghies[0]->Crashed && r.Dinghies[1]->Crashed; },
                 [](const TRace& r, long, int& g, int& red) {
                     g = TillerTowards(*r.Dinghies[0], At(*r.Dinghies[1]));
                     red = TillerTowards(*r.Dinghies[1], At(*r.Dinghies[0]));
                 });
    // Restarted while the explosion still plays.
    p.Steer(10, Wander);
    p.Line("restart");

    // The rest: the red dinghy roams, the green one chases it, the wind is set anew now and then.
    const char* winds[] = {"wind 45 20 12", "wind 270 45 25", "wind 300 15 9", "wind 135 5 30"};
    int leg = 0;
    while (p.Ticks() < 21000) {
        p.Line(winds[leg % 4]);
        const long start = p.Ticks();
        p.Steer(1500, [start](const TRace& r, long t, int& g, int& red) {
            red = TillerTowards(*r.Dinghies[1], Roaming(start + t));
            g = TillerTowards(*r.Dinghies[0], At(*r.Dinghies[1]));
        });
        if (leg == 1) {
            p.Line("pause");
            p.Line("wait 700");
            p.Line("resume");
        }
        p.Line("restart");
        ++leg;
    }
    p.FlushStretch();
    std::fprintf(stderr, "%ld ticks\n", p.Ticks());
    return 0;
}
