#include "RefereeFixture.h"

TEST(RefereeStart, CountsDownToTheSignal)
{
    TRefereeRun run;
    run.CountDown();
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Countdown);
    run.Tick(Idle());
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Racing);

    const struct {
        TRaceEvent::TKind kind;
        int32_t value;
        int32_t ticksSinceStart;
    } expected[] = {
        {TRaceEvent::Countdown, 15, -900}, {TRaceEvent::Countdown, 10, -600}, {TRaceEvent::Countdown, 5, -300},
        {TRaceEvent::Countdown, 4, -240},  {TRaceEvent::Countdown, 3, -180},  {TRaceEvent::Countdown, 2, -120},
        {TRaceEvent::Countdown, 1, -60},   {TRaceEvent::Start, 0, 0},
    };
    ASSERT_EQ(run.All.size(), std::size(expected));
    for (size_t i = 0; i < run.All.size(); ++i) {
        const TRaceEvent& e = run.All[i];
        EXPECT_EQ(e.Kind, expected[i].kind) << i;
        EXPECT_EQ(e.Value, expected[i].value) << i;
        EXPECT_EQ(e.Dinghy, -1) << i;
        // The first tick told is 900 ticks before the signal.
        EXPECT_EQ(e.Tick, TRefereeRun::FirstRaceTick + TRegatta::CountdownTicks + expected[i].ticksSinceStart) << i;
    }
}

TEST(RefereeStart, EarlyWhenAnyPartOfTheHullIsOnTheCourseSideAtTheSignal)
{
    const auto withTop = [](double x, double bowY, double top) {
        TDinghyView view = Upright(x, bowY);
        view.Top = top;
        return view;
    };
    const struct {
        const char* name;
        TDinghyView view;
        bool early;
    } cases[] = {
        {"bow over the line", Upright(500, 575), true},
        {"a corner only over the line", withTop(500, 582, 578.9), true},
        {"on the line", withTop(500, 582, 579), false},
        {"below the line", Upright(500, 590), false},
        {"over the line's extension", Upright(100, 500), true},
    };
    for (const auto& c : cases) {
        TRefereeRun run;
        run.CountDown(c.view);
        const auto events = run.Tick(c.view);
        EXPECT_EQ(Of(events, TRaceEvent::Early, 0).size(), c.early ? 1u : 0u) << c.name;
        EXPECT_EQ(run.Green().Standing, c.early ? TStanding::Early : TStanding::Waiting) << c.name;
        EXPECT_EQ(run.Red().Standing, TStanding::Waiting) << c.name;
    }
}

TEST(RefereeStart, EarlyReturnsWithTheWholeHullThenStarts)
{
    TRefereeRun run;
    run.CountDown(Upright(500, 570));
    run.Tick(Upright(500, 570));
    ASSERT_EQ(run.Green().Standing, TStanding::Early);

    TDinghyView cornerOver = Upright(500, 582);
    cornerOver.Top = 578;
    run.Tick(cornerOver);
    EXPECT_EQ(run.Green().Standing, TStanding::Early);
    run.Tick(Upright(500, 575)); // up across the line, but still early
    EXPECT_EQ(run.Green().Standing, TStanding::Early);
    run.Tick(Upright(500, 579)); // the whole hull back, the bow on the line
    EXPECT_EQ(run.Green().Standing, TStanding::Waiting);
    const auto events = run.Tick(Upright(500, 578.5));
    EXPECT_EQ(run.Green().Standing, TStanding::Racing);
    EXPECT_EQ(run.Green().Lap, 1);
    EXPECT_EQ(Kinds(Of(run.All, TRaceEvent::Early)), std::vector{TRaceEvent::Early});
    ASSERT_EQ(Of(run.All, TRaceEvent::Started).size(), 1u);
    EXPECT_EQ(Of(events, TRaceEvent::Started, 0).size(), 1u);
}

TEST(RefereeStart, StartsCrossingUpwardsBetweenTheBuoysAfterTheSignal)
{
    const struct {
        const char* name;
        TPointD from;
        TPointD to;
        bool started;
    } cases[] = {
        {"between the buoys", {500, 585}, {500, 575}, true},
        {"at the left buoy", {358, 585}, {358, 575}, true},
        {"at the right buoy", {718, 585}, {718, 575}, true},
        {"left of the left buoy", {357.9, 585}, {357.9, 575}, false},
        {"right of the right buoy", {718.1, 585}, {718.1, 575}, false},
        {"onto the line only", {500, 585}, {500, 579}, false},
        {"slanting in over the left buoy", {350, 589}, {370, 569}, true},
    };
    for (const auto& c : cases) {
        TRefereeRun run;
        const TDinghyView before = Hull({c.from.X, c.from.Y + HullLength}, c.from);
        run.CountDown(before);
        run.Tick(before);
        const auto events = run.Tick(Hull({c.from.X, c.from.Y + HullLength}, c.to));
        EXPECT_EQ(Of(events, TRaceEvent::Started, 0).size(), c.started ? 1u : 0u) << c.name;
        EXPECT_EQ(run.Green().Standing, c.started ? TStanding::Racing : TStanding::Waiting) << c.name;
    }
}

TEST(RefereeStart, CrossingBeforeTheSignalIsEarlyNotAStart)
{
    TRefereeRun run;
    while (run.Regatta.TicksSinceStart() < -2)
        run.Tick(Upright(500, 585));
    run.Tick(Upright(500, 575));
    EXPECT_EQ(run.Green().Standing, TStanding::Waiting);
    run.Tick(Upright(500, 570));
    EXPECT_EQ(run.Green().Standing, TStanding::Early);
    EXPECT_TRUE(Of(run.All, TRaceEvent::Started).empty());
}
