#include "RefereeFixture.h"

namespace {

// A dinghy sailing a fixed path at a fixed speed, bow first, its hull along the leg it is on.
class TScriptedPath {
public:
    TScriptedPath(std::vector<TPointD> points, double speed) : FPoints(std::move(points)), FSpeed(speed) {}

    // Where it is after sailing for the given ticks; at the path's end it stays there.
    TDinghyView At(int32_t ticks) const
    {
        double left = ticks * FSpeed;
        for (size_t i = 1; i < FPoints.size(); ++i) {
            const TPointD a = FPoints[i - 1];
            const TPointD b = FPoints[i];
            const double length = std::hypot(b.X - a.X, b.Y - a.Y);
            if (left <= length || i + 1 == FPoints.size()) {
                const double along = std::min(left, length);
                const TPointD unit{(b.X - a.X) / length, (b.Y - a.Y) / length};
                const TPointD bow{a.X + unit.X * along, a.Y + unit.Y * along};
                return Hull({bow.X - unit.X * HullLength, bow.Y - unit.Y * HullLength}, bow);
            }
            left -= length;
        }
        return Hull(FPoints[0], FPoints[0]);
    }

private:
    std::vector<TPointD> FPoints;
    double FSpeed;
};

// A lap: from below the line up and round the mark to port (up its east side, over, down its west side), down
// through the line and back to the start.
const std::vector<TPointD> Lap{{500, 585}, {500, 300}, {780, 300}, {780, 60}, {650, 60}, {650, 585}};
constexpr double LapLength = 285 + 280 + 240 + 130 + 525 + 150;
// From the start to where the bow reaches the line on the way down.
constexpr double ToTheGate = 285 + 280 + 240 + 130 + (579 - 60);

std::vector<TPointD> Laps(int32_t laps)
{
    std::vector<TPointD> points;
    for (int32_t i = 0; i < laps; ++i)
        points.insert(points.end(), Lap.begin(), Lap.end());
    points.push_back(Lap.front());
    return points;
}

// The first tick the bow has sailed that far.
int32_t TicksTo(double distance, double speed)
{
    return static_cast<int32_t>(std::ceil(distance / speed));
}

} // namespace

TEST(RefereeRace, PlacesAndLapTimesOverTwoLaps)
{
    TRegattaSettings settings;
    settings.Laps = 2;
    TRefereeRun run(settings);
    const double greenSpeed = 5;
    const double redSpeed = 4;
    const TScriptedPath green(Laps(2), greenSpeed);
    const TScriptedPath red(Laps(2), redSpeed);
    run.CountDown(green.At(0), red.At(0));
    for (int32_t t = 0; run.Regatta.Phase() != TRegattaPhase::Over && t < 2000; ++t)
        run.Tick(green.At(t), red.At(t));
    ASSERT_EQ(run.Regatta.Phase(), TRegattaPhase::Over);

    const struct {
        double speed;
        int32_t place;
    } expected[] = {{greenSpeed, 1}, {redSpeed, 2}};
    for (int dinghy = 0; dinghy < 2; ++dinghy) {
        const TDinghyRegatta& d = run.Regatta.Dinghy(static_cast<size_t>(dinghy));
        const double speed = expected[dinghy].speed;
        const int32_t firstGate = TicksTo(ToTheGate, speed);
        const int32_t finish = TicksTo(LapLength + ToTheGate, speed);
        EXPECT_EQ(d.Standing, TStanding::Finished) << dinghy;
        EXPECT_EQ(d.Place, expected[dinghy].place) << dinghy;
        EXPECT_EQ(d.FinishTicks, finish) << dinghy;
        EXPECT_EQ(d.LapsDone, 2) << dinghy;
        EXPECT_EQ(d.LapTicks[0], firstGate) << dinghy;
        EXPECT_EQ(d.LapTicks[1], finish - firstGate) << dinghy;

        const std::vector<TRaceEvent> events = [&] {
            std::vector<TRaceEvent> mine;
            for (const TRaceEvent& e : run.All)
                if (e.Dinghy == dinghy)
                    mine.push_back(e);
            return mine;
        }();
        ASSERT_EQ(Kinds(events), (std::vector{TRaceEvent::Started, TRaceEvent::Rounded, TRaceEvent::Lap,
                                              TRaceEvent::Rounded, TRaceEvent::Lap, TRaceEvent::Finished}))
            << dinghy;
        EXPECT_EQ(events[1].Value, 1);
        EXPECT_EQ(events[2].Value, 1);
        EXPECT_EQ(events[2].Ticks, firstGate);
        EXPECT_EQ(events[3].Value, 2);
        EXPECT_EQ(events[4].Value, 2);
        EXPECT_EQ(events[4].Ticks, finish - firstGate);
        EXPECT_EQ(events[5].Value, expected[dinghy].place);
        EXPECT_EQ(events[5].Ticks, finish);
        EXPECT_EQ(events[5].Tick, TRefereeRun::FirstRaceTick + TRegatta::CountdownTicks + finish);
    }
    const auto over = Of(run.All, TRaceEvent::Over);
    ASSERT_EQ(over.size(), 1u);
    EXPECT_EQ(over[0].Tick, run.All.back().Tick);
    EXPECT_EQ(run.All.back().Kind, TRaceEvent::Over);
    EXPECT_EQ(run.Regatta.Finishers(), 2);
}

TEST(RefereeRace, ClassicRulesPutACrashedDinghyOutOnce)
{
    TRegattaSettings settings;
    settings.Rules = TRegattaRules::Classic;
    TRefereeRun run(settings);
    run.StartGreen();

    TRegattaTick tick;
    tick.Dinghies = {Upright(500, 500), Idle()};
    tick.DinghyContact = true;
    tick.BuoyContact = {true, true};
    tick.Dinghies[0].Crashed = true;
    for (int i = 0; i < 5; ++i)
        run.Tick(tick);
    EXPECT_EQ(run.Green().Standing, TStanding::Out);
    EXPECT_EQ(run.Red().Standing, TStanding::Waiting);
    EXPECT_EQ(Of(run.All, TRaceEvent::Out, 0).size(), 1u);
    EXPECT_TRUE(Of(run.All, TRaceEvent::Penalty).empty());
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Racing);

    tick.Dinghies[1].Crashed = true; // a dinghy yet to start is out too
    const auto events = run.Tick(tick);
    EXPECT_EQ(Kinds(events), (std::vector{TRaceEvent::Out, TRaceEvent::Over}));
    EXPECT_EQ(events[0].Dinghy, 1);
    EXPECT_EQ(events[1].Dinghy, -1);
    EXPECT_EQ(run.Red().Standing, TStanding::Out);
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Over);
    EXPECT_TRUE(run.Tick(tick).empty());
}

TEST(RefereeRace, PenaltyRulesIgnoreTheCrashFlag)
{
    TRefereeRun run;
    run.StartGreen();
    TDinghyView crashed = Upright(500, 500);
    crashed.Crashed = true;
    run.Tick(crashed);
    EXPECT_EQ(run.Green().Standing, TStanding::Racing);
    EXPECT_TRUE(Of(run.All, TRaceEvent::Out).empty());
}

TEST(RefereeRace, NothingHappensOnceItIsOver)
{
    TRegattaSettings settings;
    settings.Rules = TRegattaRules::Classic;
    TRefereeRun run(settings);
    TDinghyView crashed = Idle();
    crashed.Crashed = true;
    run.CountDown(crashed, crashed);
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Countdown); // both out, but the regatta has not begun
    const auto signal = run.Tick(crashed, crashed);
    EXPECT_EQ(Kinds(signal), (std::vector{TRaceEvent::Start, TRaceEvent::Over}));

    TRegattaTick tick;
    tick.Dinghies = {Upright(500, 570), Upright(520, 570)};
    tick.DinghyContact = true;
    tick.BuoyContact = {true, true};
    EXPECT_TRUE(run.Tick(tick).empty());
    EXPECT_EQ(run.Green().Penalties, 0);
    EXPECT_EQ(run.Green().Standing, TStanding::Out);
}
