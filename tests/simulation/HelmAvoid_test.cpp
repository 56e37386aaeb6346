// A computer helm keeps clear of the other dinghy when the rules say it must, and off the buoys.
#include "simulation/helm/BuoyClearance.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/helm/KeepClear.h"
#include "simulation/regatta/Tack.h"

#include "HelmSinTable.h"
#include "RefereeFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(HelmTraffic, ClosestApproach)
{
    const struct {
        const char* name;
        TPointD a, va, b, vb;
        double ticks, distance;
    } cases[] = {
        {"head on", {0, 0}, {3, 0}, {300, 0}, {-3, 0}, 50, 0},
        {"crossing ahead", {0, 0}, {3, 0}, {150, 150}, {0, -3}, 50, 0},
        {"passing at forty", {0, 0}, {3, 0}, {300, 40}, {-3, 0}, 50, 40},
        {"parting", {0, 0}, {-3, 0}, {100, 0}, {3, 0}, 0, 100},
        {"side by side", {0, 0}, {3, 0}, {0, 30}, {3, 0}, 0, 30},
    };
    for (const auto& c : cases) {
        const TApproach approach = ClosestApproach(c.a, c.va, c.b, c.vb);
        EXPECT_NEAR(approach.Ticks, c.ticks, 1e-9) << c.name;
        EXPECT_NEAR(approach.Distance, c.distance, 1e-9) << c.name;
    }
}

// A hull along the heading whose middle is at p, with the wind's angle from it for a wind from 360.
TDinghyView Sailing(TPointD p, int32_t heading)
{
    const TPointD f = HeadingVector(heading, HelmSin());
    TDinghyView view = Hull({p.X - f.X * HullLength / 2, p.Y - f.Y * HullLength / 2},
                            {p.X + f.X * HullLength / 2, p.Y + f.Y * HullLength / 2}, heading,
                            RelativeWind(360, heading));
    return view;
}

TEST(HelmTraffic, WhoMustKeepClear)
{
    const TPointD up{0, -1};
    const struct {
        const char* name;
        TDinghyView self, other;
        bool keepClear;
    } cases[] = {
        {"port tack meets starboard tack", Sailing({500, 400}, 45), Sailing({600, 400}, 315), true},
        {"starboard tack meets port tack", Sailing({600, 400}, 315), Sailing({500, 400}, 45), false},
        {"windward on the same tack", Sailing({500, 380}, 45), Sailing({510, 420}, 45), true},
        {"leeward on the same tack", Sailing({510, 420}, 45), Sailing({500, 380}, 45), false},
        {"clear astern", Sailing({500, 500}, 45), Sailing({570, 430}, 45), true},
        {"clear ahead", Sailing({570, 430}, 45), Sailing({500, 500}, 45), false},
        {"tacking", Sailing({500, 400}, 360), Sailing({600, 400}, 315), true},
        {"against one tacking", Sailing({600, 400}, 315), Sailing({500, 400}, 360), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MustKeepClear(c.self, c.other, up), c.keepClear) << c.name;
}

TEST(HelmTraffic, KeepsClearByTheNearestSailableHeading)
{
    // Port tack (45) on a collision course with a dinghy on starboard tack (315) coming from the right.
    const TTraffic crossing{{500, 400}, 3, {740, 400}, Scaled(HeadingVector(315, HelmSin()), 3), 360, 15};
    ASSERT_TRUE(OnCollisionCourse(crossing, 45, 80, 90, HelmSin()));
    const int32_t clear = HeadingClearOf(crossing, 45, 80, 90, HelmSin());
    EXPECT_FALSE(OnCollisionCourse(crossing, clear, 80, 90, HelmSin()));
    EXPECT_NE(TackOf(RelativeWind(360, clear)), TTack::Tacking) << "never head to wind to keep clear";
    // It bears away, passing behind the other, rather than tacking or crossing ahead.
    EXPECT_GT(clear, 45);
    EXPECT_LE(clear, 165);

    // Far apart, or a look-ahead too short to meet: no change.
    const TTraffic far{{100, 400}, 3, {900, 400}, Scaled(HeadingVector(315, HelmSin()), 3), 360, 15};
    EXPECT_EQ(HeadingClearOf(far, 45, 80, 90, HelmSin()), 45);
    EXPECT_FALSE(OnCollisionCourse(crossing, 45, 80, 20, HelmSin()));

    // Boxed in: the heading that passes widest.
    const TTraffic headOn{{500, 400}, 3, {500, 300}, {0, 3}, 270, 15};
    const int32_t widest = HeadingClearOf(headOn, 360, 500, 90, HelmSin());
    EXPECT_NE(widest, 360);
    const auto distance = [&](int32_t heading) {
        return ClosestApproach(headOn.Self, Scaled(HeadingVector(heading, HelmSin()), 3), headOn.Other,
                               headOn.OtherVelocity)
            .Distance;
    };
    EXPECT_GT(distance(widest), distance(360) + 50);
}

TEST(HelmBuoys, WhatLiesAhead)
{
    const struct {
        const char* name;
        TPointD at;
        int32_t heading;
        TPointD buoy;
        bool ahead;
    } cases[] = {
        {"dead ahead", {500, 400}, 360, {500, 300}, true},
        {"beyond the look-ahead", {500, 400}, 360, {500, 250}, false},
        {"off to the side", {500, 400}, 360, {560, 330}, false},
        {"within the clearance to the side", {500, 400}, 360, {530, 330}, true},
        {"behind", {500, 400}, 360, {500, 480}, false},
        // Already inside the clearance, only what comes nearer still counts.
        {"close by, sailing past", {500, 400}, 360, {535, 400}, false},
        {"close by, the bow sweeping past", {500, 400}, 360, {520, 390}, true},
        {"close by, sailing at it", {500, 400}, 90, {520, 400}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuoyAhead(c.at, c.heading, c.buoy, 40, 120, HelmSin()), c.ahead) << c.name;
}

TEST(HelmBuoys, PassesLineBuoysInsideAndTheMarkToPort)
{
    const struct {
        const char* name;
        TPointD at;
        int32_t wind;
        int32_t wanted;
        bool rounding;
        int32_t turnedAtLeast; // signed: positive clockwise
    } cases[] = {
        // Below the right-hand buoy, sailing up at it: past it on the side of the line's middle (left).
        {"right buoy from below", {712, 680}, 90, 360, false, -1},
        // Below the left-hand buoy: past it on its right.
        {"left buoy from below", {352, 680}, 270, 360, false, 1},
        // At the mark from below its west side, a little to the right of the course: rounding it, to starboard
        // of it all the same, leaving it to port; else whichever way turns less.
        {"mark while rounding", {700, 220}, 270, 360, true, 1},
        {"mark not being rounded", {700, 220}, 270, 360, false, -1},
    };
    for (const auto& c : cases) {
        const TBuoyWatch watch{c.at, 0, c.wind, 40, 130, c.rounding};
        int32_t side = 0;
        const int32_t heading = HeadingClearOfBuoys(watch, RegattaCourse, c.wanted, HelmSin(), side);
        EXPECT_EQ(side, c.turnedAtLeast) << c.name;
        const int32_t turned = TurnedBy(heading, -c.wanted) > 180 ? TurnedBy(heading, -c.wanted) - 360
                                                                   : TurnedBy(heading, -c.wanted);
        EXPECT_GT(turned * c.turnedAtLeast, 0) << c.name << ": " << heading;
        for (const TPointD buoy : {RegattaCourse.LineLeft, RegattaCourse.LineRight, RegattaCourse.Mark})
            EXPECT_FALSE(BuoyAhead(c.at, heading, buoy, 40, 130, HelmSin())) << c.name;
    }
    // Nothing in the way: as wanted. Never into the sector it cannot sail: close-hauled to starboard of the
    // right buoy, it bears away rather than luff.
    int32_t side = 5;
    EXPECT_EQ(HeadingClearOfBuoys({{500, 650}, 0, 360, 40, 130, false}, RegattaCourse, 360, HelmSin(), side), 360);
    EXPECT_EQ(side, 0);
    const int32_t beating =
        HeadingClearOfBuoys({{680, 660}, 0, 360, 40, 130, false}, RegattaCourse, 32, HelmSin(), side);
    EXPECT_NE(TackOf(RelativeWind(360, beating)), TTack::Tacking);

    // The side taken before is taken again where either would do: no wavering about a buoy dead ahead.
    const TBuoyWatch ahead{{500, 400}, 0, 270, 40, 130, false, 0};
    const TCourse course{{500, 300}, {900, 700}, {100, 100}};
    const int32_t first = HeadingClearOfBuoys(ahead, course, 360, HelmSin(), side);
    ASSERT_NE(side, 0);
    TBuoyWatch again = ahead;
    again.Side = -side;
    int32_t secondSide = 0;
    const int32_t second = HeadingClearOfBuoys(again, course, 360, HelmSin(), secondSide);
    EXPECT_EQ(secondSide, -side);
    EXPECT_EQ(TurnedBy(second, -360), TurnedBy(360, 360 - TurnedBy(first, -360))) << first << " " << second;
}

} // namespace
