// A computer helm times its start by looking ahead at its run to the line the way the frame step will sail
// it: the look-ahead must be the race itself.
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/helm/StartTiming.h"
#include "simulation/helm/Steering.h"
#include "simulation/Wind.h"
#include "simulation/regatta/DinghyView.h"

#include <gtest/gtest.h>

namespace {

constexpr double LineY = 579;

struct TRunCase {
    const char* name;
    int32_t wind;
    double x, y;
    int32_t heading;
    double speed;
    TRunPlan plan;
};

// Ticks until the green dinghy's hull is over the line in the race, steered tick by tick by the plan.
int32_t RaceToLine(const TRunCase& c, int32_t limit)
{
    THeadlessGame game;
    game.Commands.ApplyWindSettings({c.wind, 0, 15});
    TQuibo& green = *game.Race().Dinghies[0];
    TQuibo& red = *game.Race().Dinghies[1];
    red.X = 100;
    red.Y = 700;
    green.X = c.x;
    green.Y = c.y;
    green.Heading = c.heading;
    green.Speed = c.speed;
    const int32_t step = TurningStep(15);
    for (int32_t tick = 1; tick <= limit; ++tick) {
        const int32_t course = tick <= c.plan.Ticks ? c.plan.Course : c.plan.Then;
        game.Commands.SetTiller(TPlayer::Green, TillerToward(green.Heading, course, step));
        EXPECT_TRUE(game.Tick());
        if (ViewOf(green, game.Race()).Top < LineY)
            return tick;
    }
    return limit;
}

TEST(HelmStart, LooksAheadAtTheRunAsTheRaceSailsIt)
{
    const TRunCase cases[] = {
        {"close-hauled from a stop", 360, 540, 700, 330, -0.1, {32}},
        {"reaching at speed", 270, 540, 720, 360, 3.9, {360}},
        {"turning up from a run away from the line", 90, 540, 660, 180, 3.3, {20}},
        {"through the wind", 360, 540, 720, 40, 2.0, {320}},
        {"a stretch, then head to wind", 360, 540, 690, 30, 3.0, {30, 20, 360}},
        {"stopping short of it", 360, 540, 740, 330, 1.0, {360}},
    };
    TSinTable sin{};
    FillSinTable(sin);
    for (const auto& c : cases) {
        THeadlessGame game;
        game.Commands.ApplyWindSettings({c.wind, 0, 15});
        TQuibo& green = *game.Race().Dinghies[0];
        green.X = c.x;
        green.Y = c.y;
        green.Heading = c.heading;
        green.Speed = c.speed;
        const TDinghyView view = ViewOf(green, game.Race());
        const TRunConditions conditions{c.wind, 15, 57, 30, LineY};
        const int32_t predicted = TicksToLine({view.Stern, view.Heading, c.speed}, c.plan, conditions, 400, sin);
        EXPECT_EQ(predicted, RaceToLine(c, 400)) << c.name;
        if (std::string(c.name) == "stopping short of it")
            EXPECT_EQ(predicted, 400) << "it never gets there";
        else
            EXPECT_LT(predicted, 200) << c.name;
    }
}

} // namespace
