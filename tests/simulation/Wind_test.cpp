#include "simulation/Random.h"
#include "simulation/Wind.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(WindStepDelay, FollowsWindSpeedBands)
{
    const struct {
        int32_t speed;
        int32_t delay;
    } cases[] = {{40, 0}, {16, 0}, {15, 1}, {11, 1}, {10, 2}, {6, 2}, {5, 3}, {1, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(WindStepDelay(c.speed), c.delay) << c.speed << " knots";
}

TEST(TurnWindOneDegree, TakesTheShorterWayAcrossNorth)
{
    const struct {
        int32_t from, target;
        std::vector<int32_t> path;
    } cases[] = {
        {360, 2, {1, 2}},
        {1, 359, {360, 359}},
        {90, 95, {91, 92, 93, 94, 95}},
        {95, 90, {94, 93, 92, 91, 90}},
        // Exactly opposite: anticlockwise when the target is the larger number, clockwise when the smaller.
        {10, 190, {9}},
        {190, 10, {191}},
    };
    for (const auto& c : cases) {
        int32_t direction = c.from;
        for (int32_t expected : c.path) {
            direction = TurnWindOneDegree(direction, c.target);
            EXPECT_EQ(direction, expected) << c.from << " -> " << c.target;
        }
    }
}

TEST(DrawWindTarget, StaysWithinTheDeviationAndFoldsIntoOneTo360)
{
    RandSeed = 12345;
    std::set<int32_t> seen;
    for (int i = 0; i < 5000; ++i) {
        const int32_t t = DrawWindTarget(360, 45);
        EXPECT_TRUE((t >= 315 && t <= 360) || (t >= 1 && t <= 44)) << t;
        seen.insert(t);
    }
    // 2 x 45 possible values, all of them reached.
    EXPECT_EQ(seen.size(), 90u);

    for (int i = 0; i < 1000; ++i) {
        const int32_t t = DrawWindTarget(10, 20);
        EXPECT_TRUE(t >= 350 || t <= 29) << t;
    }
}

TEST(DrawWindTarget, NoDeviationKeepsTheBase)
{
    RandSeed = 99;
    for (int32_t base : {1, 180, 360})
        EXPECT_EQ(DrawWindTarget(base, 0), base);
}

TEST(Steering, TurningStepAndHeadingSnap)
{
    const struct {
        int32_t knots, step;
    } steps[] = {{1, 1}, {7, 1}, {8, 2}, {12, 2}, {13, 3}, {15, 3}, {17, 3}, {18, 4}, {40, 4}, {0, 1}};
    for (const auto& s : steps)
        EXPECT_EQ(TurningStep(s.knots), s.step) << s.knots << " knots";

    const struct {
        int32_t heading, tiller, step, expected;
    } headings[] = {
        {359, 0, 3, 1}, {2, 2, 3, 360}, {360, 0, 1, 1}, {1, 2, 1, 360}, {180, 1, 4, 180},
        {180, 0, 4, 184}, {180, 2, 4, 176}, {180, 7, 4, 180},
    };
    for (const auto& h : headings)
        EXPECT_EQ(SteerHeading(h.heading, h.tiller, h.step), h.expected) << h.heading << " tiller " << h.tiller;
}

TEST(TargetSpeedFor, EachSectorBeginsAtItsBoundary)
{
    const struct {
        int32_t r;
        double factor;
    } cases[] = {{0, -0.1}, {29, -0.1}, {30, 1.0},  {79, 1.0},  {80, 1.3},   {139, 1.3}, {140, 1.1},
                 {219, 1.1}, {220, 1.3}, {279, 1.3}, {280, 1.0}, {329, 1.0}, {330, -0.1}, {359, -0.1}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(TargetSpeedFor(15, c.r), 3.0 * c.factor) << c.r;
        EXPECT_DOUBLE_EQ(TargetSpeedFor(1, c.r), 0.2 * c.factor) << c.r;
    }
}
