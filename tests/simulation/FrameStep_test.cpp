#include "RaceFixture.h"

#include "simulation/Random.h"
#include "simulation/Wind.h"

namespace {

// A timer whose measured rate a test can set, for the governor.
void SetMeasuredRate(THeadlessGame& game, int32_t fps)
{
    // Close a measuring window of exactly 1000 ms holding fps ticks, outside the race.
    TCustomDXTimer& timer = game.Session.DXTimer1;
    auto saved = timer.OnTimer;
    timer.OnTimer = nullptr;
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    for (int32_t i = 0; i < fps; ++i) {
        game.Clock.Advance(i + 1 == fps ? 1000 - (fps - 1) : 1);
        game.Application.RunIdle();
    }
    timer.OnTimer = saved;
}

} // namespace

TEST_F(RaceTest, RateGovernorMovesIntervalOnEvery31stTick)
{
    const struct {
        int32_t fps;
        uint32_t interval, expected;
    } cases[] = {{62, 5, 6}, {62, 15, 15}, {58, 5, 4}, {58, 0, 0}, {59, 5, 5}, {60, 5, 5}, {61, 5, 5}};
    for (const auto& c : cases) {
        Game = std::make_unique<THeadlessGame>();
        SetMeasuredRate(*Game, c.fps);
        ASSERT_EQ(Game->Session.DXTimer1.FramesPerSecond(), c.fps);
        Game->Session.DXTimer1.SetInterval(c.interval);
        Step(30);
        EXPECT_EQ(Game->Session.DXTimer1.Interval(), c.interval) << c.fps;
        EXPECT_EQ(Race().RateTicks, 30);
        Step();
        EXPECT_EQ(Game->Session.DXTimer1.Interval(), c.expected) << c.fps << " fps at " << c.interval;
        EXPECT_EQ(Race().RateTicks, 0);
    }
}

TEST_F(RaceTest, OfARunOfLateTicksEveryThirdIsProcessed)
{
    const struct {
        std::vector<int32_t> lags;
        std::vector<int64_t> processed;
    } cases[] = {
        {{2, 2, 2}, {0, 0, 1}},
        {{2, 2, 2, 2, 2, 2}, {0, 0, 1, 1, 1, 2}},
        {{2, 1, 2, 2, 5}, {0, 1, 1, 1, 2}},
        {{1, 1}, {1, 2}},
    };
    for (const auto& c : cases) {
        Game = std::make_unique<THeadlessGame>();
        for (size_t i = 0; i < c.lags.size(); ++i) {
            Race().DXTimer1Timer(c.lags[i]);
            EXPECT_EQ(Race().ProcessedTicks(), c.processed[i]) << "tick " << i;
        }
        // The governor counts late ticks too.
        EXPECT_EQ(Race().RateTicks, static_cast<int32_t>(c.lags.size()));
    }
}

TEST_F(RaceTest, LateTickThatEndsEarlyLeavesTheWorldAlone)
{
    Green().Tiller = 0;
    const int32_t tag = Game->Session.DXTimer1.Tag;
    const double y = Green().Y;
    Race().DXTimer1Timer(3);
    EXPECT_EQ(Game->Session.DXTimer1.Tag, tag);
    EXPECT_EQ(Green().Heading, 360);
    EXPECT_EQ(Green().Y, y);
}

TEST_F(RaceTest, WindStepsAtTheCadenceOfItsSpeed)
{
    const struct {
        int32_t speed, every;
    } cases[] = {{16, 1}, {40, 1}, {15, 2}, {11, 2}, {10, 3}, {6, 3}, {5, 4}, {1, 4}};
    for (const auto& c : cases) {
        Game = std::make_unique<THeadlessGame>();
        Race().WindSpeed = c.speed;
        Race().WindTarget = 100; // far away: every wind step moves one degree
        std::vector<int> moves;
        for (int tick = 1; tick <= 12; ++tick) {
            const int32_t before = Race().WindDirection;
            Step();
            if (Race().WindDirection != before)
                moves.push_back(tick);
        }
        ASSERT_FALSE(moves.empty()) << c.speed;
        for (size_t i = 0; i < moves.size(); ++i)
            EXPECT_EQ(moves[i], static_cast<int>(i + 1) * c.every) << c.speed << " knots";
    }
}

TEST_F(RaceTest, WindDrawsANewTargetWhenItArrives)
{
    Race().WindSpeed = 16;
    Race().WindVariation = 45;
    Race().WindTarget = 2;
    Step();
    EXPECT_EQ(Race().WindDirection, 1);
    Step();
    EXPECT_EQ(Race().WindDirection, 2);
    // Reached: the next step only draws a target, the wind holds still.
    Game->Clock.SetMillisecondsOfDay(4242);
    Step();
    EXPECT_EQ(Race().WindDirection, 2);
    const int32_t t = Race().WindTarget;
    EXPECT_TRUE((t >= 315 && t <= 360) || (t >= 1 && t <= 44)) << t;

    // Reseeding from the same time of day draws the same target.
    RandSeed = 4242;
    EXPECT_EQ(DrawWindTarget(360, 45), t);
}

TEST_F(RaceTest, SteeringAndTargetSpeedsEachTick)
{
    Green().Tiller = 0;
    Green().Heading = 359;
    Red().Tiller = 2;
    Step();
    EXPECT_EQ(Green().Heading, 1); // snaps to 1 rather than wrapping to 2
    EXPECT_EQ(Red().Heading, 357);
    // Head to wind both: they drift backwards.
    EXPECT_DOUBLE_EQ(Green().TargetSpeed, -0.3);
    EXPECT_DOUBLE_EQ(Red().TargetSpeed, -0.3);

    Race().WindSpeed = 1;
    Green().Tiller = 1;
    Red().Heading = 90;
    Red().Tiller = 1;
    Race().WindDirection = Race().WindTarget = 180;
    Step();
    EXPECT_DOUBLE_EQ(Red().TargetSpeed, 0.2 * 1.3);

    // A wrecked dinghy still turns with its tiller.
    StartExplosion(Red(), Race());
    Red().Tiller = 0;
    Step();
    EXPECT_EQ(Red().Heading, 91);
}
