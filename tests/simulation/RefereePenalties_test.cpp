#include "RefereeFixture.h"

#include "simulation/Rounding.h"

#include <string>

namespace {

// Green on port tack, red on starboard: green is the one penalised when they touch.
TRegattaTick PortAndStarboard()
{
    TRegattaTick tick;
    tick.Dinghies = {Hull({500, 430}, {500, 400}, 360, 315), Hull({520, 430}, {520, 400}, 360, 45)};
    return tick;
}

// Green's heading this tick, where it stands.
TDinghyView Heading(int32_t heading)
{
    return Hull({500, 630}, {500, 600}, FoldDegrees(heading));
}

} // namespace

TEST(RefereePenalties, OnePenaltyPerContactHoweverLongItLasts)
{
    // Per tick, '1' where the contact is seen.
    const struct {
        const char* name;
        std::string dinghies;
        std::string greenBuoy;
        std::string redBuoy;
        int32_t greenPenalties;
        int32_t greenTurns;
        int32_t redPenalties;
    } cases[] = {
        {"dinghies touching long", "1111111111", "", "", 1, 2, 0},
        {"dinghies touching twice", "1110111", "", "", 2, 4, 0},
        {"buoy touched long", "", "11111", "", 1, 1, 0},
        {"both touching buoys", "", "11011", "0111", 2, 2, 1},
        {"dinghy and buoy at once", "1", "1", "", 2, 3, 0},
    };
    for (const auto& c : cases) {
        TRefereeRun run;
        const size_t ticks = std::max({c.dinghies.size(), c.greenBuoy.size(), c.redBuoy.size()});
        const auto at = [](const std::string& pattern, size_t i) { return i < pattern.size() && pattern[i] == '1'; };
        for (size_t i = 0; i < ticks; ++i) {
            TRegattaTick tick = PortAndStarboard();
            tick.DinghyContact = at(c.dinghies, i);
            tick.BuoyContact = {at(c.greenBuoy, i), at(c.redBuoy, i)};
            run.Tick(tick);
        }
        EXPECT_EQ(run.Green().Penalties, c.greenPenalties) << c.name;
        EXPECT_EQ(run.Green().TurnsOwed, c.greenTurns) << c.name;
        EXPECT_EQ(run.Red().Penalties, c.redPenalties) << c.name;
        EXPECT_EQ(run.Red().TurnsOwed, c.redPenalties) << c.name;
        const auto penalties = Of(run.All, TRaceEvent::Penalty);
        EXPECT_EQ(penalties.size(), static_cast<size_t>(c.greenPenalties + c.redPenalties)) << c.name;
        for (const TRaceEvent& e : penalties) {
            const bool buoy = e.Rule == TRule::Mark;
            EXPECT_EQ(e.Value, buoy ? 1 : 2) << c.name;
            if (!buoy) {
                EXPECT_EQ(e.Rule, TRule::PortStarboard) << c.name;
                EXPECT_EQ(e.Dinghy, 0) << c.name;
            }
        }
    }
}

TEST(RefereePenalties, TurnsAreCountedOneWayAtATime)
{
    const struct {
        const char* name;
        int32_t penalties; // buoy contacts, a turn each
        std::vector<int32_t> changes; // heading changes, one a tick
        int32_t owed;
        int32_t taken;
        int32_t degrees;
    } cases[] = {
        {"one turn clockwise", 1, std::vector<int32_t>(36, 10), 0, 1, 0},
        {"one turn anticlockwise, the rest dropped", 1, std::vector<int32_t>(15, -25), 0, 1, 0},
        {"partly", 1, std::vector<int32_t>(30, 10), 1, 0, 300},
        {"one of two", 2, std::vector<int32_t>(37, 10), 1, 1, 10},
        {"two, going on after", 2, std::vector<int32_t>(80, 10), 0, 2, 0},
    };
    for (const auto& c : cases) {
        TRefereeRun run;
        TRegattaTick tick;
        tick.Dinghies = {Heading(360), Idle()};
        for (int32_t i = 0; i < c.penalties; ++i) {
            tick.BuoyContact[0] = true;
            run.Tick(tick);
            tick.BuoyContact[0] = false;
            run.Tick(tick);
        }
        int32_t heading = 360;
        for (const int32_t change : c.changes) {
            heading += change;
            tick.Dinghies[0] = Heading(heading);
            run.Tick(tick);
        }
        EXPECT_EQ(run.Green().TurnsOwed, c.owed) << c.name;
        EXPECT_EQ(run.Green().TurnsTaken, c.taken) << c.name;
        EXPECT_EQ(run.Green().TurnDegrees, c.degrees) << c.name;
        EXPECT_EQ(Of(run.All, TRaceEvent::Cleared, 0).size(), c.owed == 0 ? 1u : 0u) << c.name;
    }
}

TEST(RefereePenalties, ATurnReversedStartsAgain)
{
    TRefereeRun run;
    TRegattaTick tick;
    tick.Dinghies = {Heading(360), Idle()};
    tick.BuoyContact[0] = true;
    run.Tick(tick);
    int32_t heading = 360;
    const auto turn = [&](int32_t change, int32_t ticks) {
        for (int32_t i = 0; i < ticks; ++i) {
            heading += change;
            tick.Dinghies[0] = Heading(heading);
            run.Tick(tick);
        }
    };
    turn(10, 20);
    EXPECT_EQ(run.Green().TurnDegrees, 200);
    turn(-10, 1);
    EXPECT_EQ(run.Green().TurnDegrees, -10);
    turn(-10, 34);
    EXPECT_EQ(run.Green().TurnsOwed, 1);
    EXPECT_EQ(run.Green().TurnDegrees, -350);
    turn(-10, 1);
    EXPECT_EQ(run.Green().TurnsOwed, 0);
    EXPECT_EQ(run.Green().TurnsTaken, 1);
    EXPECT_EQ(Of(run.All, TRaceEvent::Cleared, 0).size(), 1u);
    turn(10, 5); // nothing owed: nothing counted
    EXPECT_EQ(run.Green().TurnDegrees, 0);
}

TEST(RefereePenalties, TurnsSailedBeforeThePenaltyDoNotCount)
{
    TRefereeRun run;
    TRegattaTick tick;
    for (int32_t heading = 10; heading <= 200; heading += 10) {
        tick.Dinghies = {Heading(heading), Idle()};
        run.Tick(tick);
    }
    EXPECT_EQ(run.Green().TurnDegrees, 0);
    tick.BuoyContact[0] = true; // the heading held on the contact's tick
    run.Tick(tick);
    for (int32_t heading = 210; heading <= 380; heading += 10) {
        tick.Dinghies = {Heading(heading), Idle()};
        run.Tick(tick);
    }
    EXPECT_EQ(run.Green().TurnDegrees, 180);
    EXPECT_EQ(run.Green().TurnsOwed, 1);
}

TEST(RefereePenalties, TheFirstTickIsNoTurn)
{
    TRefereeRun run;
    TRegattaTick tick;
    tick.Dinghies = {Heading(90), Idle()};
    tick.BuoyContact[0] = true;
    run.Tick(tick);
    EXPECT_EQ(run.Green().TurnsOwed, 1);
    EXPECT_EQ(run.Green().TurnDegrees, 0);
}

TEST(RefereePenalties, TheFinishWaitsForTheTurns)
{
    TRegattaSettings settings;
    settings.Laps = 1;
    TRefereeRun run(settings);
    run.StartGreen();
    for (const TPointD p : std::vector<TPointD>{{780, 300}, {780, 60}, {650, 60}, {650, 300}})
        run.Tick(MiddleAt(p));
    ASSERT_TRUE(run.Green().MarkRounded);
    TRegattaTick touch;
    touch.Dinghies = {Upright(650, 560), Idle()};
    touch.BuoyContact[0] = true;
    run.Tick(touch);
    ASSERT_EQ(run.Green().TurnsOwed, 1);

    run.Tick(Upright(650, 590)); // across the finish, a turn owed
    EXPECT_TRUE(Of(run.All, TRaceEvent::Finished).empty());
    EXPECT_TRUE(Of(run.All, TRaceEvent::Lap).empty());
    EXPECT_EQ(run.Green().Standing, TStanding::Racing);

    for (int32_t heading = 10; heading <= 360; heading += 10)
        run.Tick(Hull({650, 620}, {650, 590}, heading));
    ASSERT_EQ(run.Green().TurnsOwed, 0);
    run.Tick(Upright(650, 570)); // back over the line
    EXPECT_TRUE(Of(run.All, TRaceEvent::Finished).empty());
    const auto events = run.Tick(Upright(650, 585));
    ASSERT_EQ(Kinds(events), (std::vector{TRaceEvent::Lap, TRaceEvent::Finished}));
    const int32_t time = run.Regatta.TicksSinceStart();
    EXPECT_EQ(events[0].Value, 1);
    EXPECT_EQ(events[0].Ticks, time);
    EXPECT_EQ(events[1].Value, 1);
    EXPECT_EQ(events[1].Ticks, time);
    EXPECT_EQ(run.Green().Standing, TStanding::Finished);
    EXPECT_EQ(run.Green().Place, 1);
    EXPECT_EQ(run.Green().FinishTicks, time);
    EXPECT_EQ(run.Green().LapTicks[0], time);
    EXPECT_EQ(run.Regatta.Phase(), TRegattaPhase::Racing); // red has yet to finish

    touch.Dinghies[0] = Upright(650, 585);
    EXPECT_TRUE(run.Tick(touch).empty()); // finished: no more penalties
    EXPECT_EQ(run.Green().TurnsOwed, 0);
}
