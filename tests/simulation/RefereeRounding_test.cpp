#include "RefereeFixture.h"

namespace {

// Points around the mark at (718, 114), each a tick's position of the hull's middle.
constexpr TPointD SouthEast{780, 300};
constexpr TPointD NorthEast{780, 60};
constexpr TPointD NorthWest{650, 60};
constexpr TPointD SouthWest{650, 300};

} // namespace

TEST(RefereeRounding, OnlyAFullRoundToPortCounts)
{
    const struct {
        const char* name;
        std::vector<TPointD> path;
        bool rounded;
        int32_t winding;
    } cases[] = {
        {"to port", {SouthEast, NorthEast, NorthWest, SouthWest}, true, 3},
        {"to starboard", {SouthWest, NorthWest, NorthEast, SouthEast}, false, -3},
        {"turned back over the mark", {SouthEast, NorthEast, NorthWest, NorthEast, SouthEast}, false, 0},
        {"cut below the mark", {SouthWest, SouthEast, SouthWest, SouthEast}, false, 0},
        {"up the east side only", {SouthEast, NorthEast}, false, 1},
        {"to starboard, undone, then to port",
         {SouthWest, NorthWest, NorthEast, SouthEast, NorthEast, NorthWest, SouthWest, SouthEast, NorthEast,
          NorthWest, SouthWest},
         true, 3},
        {"to starboard twice, undone once", {SouthWest, NorthWest, NorthEast, SouthEast, SouthWest, NorthWest,
                                             NorthEast, SouthEast, NorthEast, NorthWest, SouthWest, SouthEast},
         false, -3},
        {"east and north in one tick", {{740, 130}, {700, 100}, {700, 130}}, true, 3},
        {"north and west in one tick", {SouthEast, {730, 100}, {700, 130}}, true, 3},
    };
    for (const auto& c : cases) {
        TRefereeRun run;
        run.StartGreen();
        std::vector<TRaceEvent> rounded;
        for (const TPointD p : c.path)
            for (const TRaceEvent& e : run.Tick(MiddleAt(p)))
                if (e.Kind == TRaceEvent::Rounded)
                    rounded.push_back(e);
        EXPECT_EQ(run.Green().MarkRounded, c.rounded) << c.name;
        EXPECT_EQ(run.Green().Winding, c.winding) << c.name;
        ASSERT_EQ(rounded.size(), c.rounded ? 1u : 0u) << c.name;
        if (c.rounded) {
            EXPECT_EQ(rounded[0].Dinghy, 0) << c.name;
            EXPECT_EQ(rounded[0].Value, 1) << c.name;
            // On the tick the last third was done.
            EXPECT_EQ(rounded[0].Tick, TRefereeRun::FirstRaceTick + run.Regatta.Ticks() - 1) << c.name;
        }
    }
}

TEST(RefereeRounding, TheGateBeforeTheMarkDoesNothing)
{
    TRefereeRun run;
    run.StartGreen();
    run.Tick(Upright(500, 400));
    run.Tick(Upright(500, 590)); // back down through the line
    EXPECT_TRUE(Of(run.All, TRaceEvent::Lap).empty());
    EXPECT_EQ(run.Green().Lap, 1);
    EXPECT_EQ(run.Green().LapsDone, 0);
    EXPECT_EQ(run.Green().Standing, TStanding::Racing);
}

TEST(RefereeRounding, OnlyRacingDinghiesRound)
{
    // Green waiting below until it sails round the mark, never having crossed the line after the signal.
    TRefereeRun run;
    run.CountDown(Upright(800, 590));
    run.Tick(Upright(800, 590));
    for (const TPointD p : {SouthEast, NorthEast, NorthWest, SouthWest})
        run.Tick(MiddleAt(p));
    EXPECT_EQ(run.Green().Standing, TStanding::Waiting);
    EXPECT_EQ(run.Green().Winding, 0);
    EXPECT_TRUE(Of(run.All, TRaceEvent::Rounded).empty());
}
