#include "platform/HeadlessApplication.h"
#include "platform/ManualClock.h"
#include "sprites/Timer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

class FrameTimer : public ::testing::Test {
protected:
    FrameTimer()
    {
        timer.OnTimer = [this](TCustomDXTimer& sender, int32_t lag) {
            EXPECT_EQ(&sender, &timer);
            lags.push_back(lag);
        };
    }

    // Ends loading with Enabled true, as a form resource that enables the timer would.
    void Start(uint32_t interval)
    {
        timer.BeginLoading();
        timer.SetInterval(interval);
        timer.SetEnabled(true);
        timer.Loaded();
    }

    // One idle pass after the clock moved on by ms; true when it ticked.
    bool PassAfter(uint32_t ms)
    {
        clock.Advance(ms);
        const size_t before = lags.size();
        const bool hooked = app.HasIdleHandler();
        const bool done = app.RunIdle();
        EXPECT_NE(done, hooked) << "a hooked timer always asks to be called again";
        return lags.size() > before;
    }

    TManualClock clock{5000};
    THeadlessApplication app;
    TDXTimer timer{clock, app};
    std::vector<int32_t> lags;
};

TEST_F(FrameTimer, NewTimerIsEnabledButWaitsForLoadingToEnd)
{
    EXPECT_TRUE(timer.ActiveOnly());
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.IntervalDivisor(), 1000u);
    EXPECT_EQ(timer.FramesPerSecond(), 0);
    EXPECT_FALSE(timer.Started());
    EXPECT_FALSE(app.HasIdleHandler());
    timer.SetEnabled(true);
    EXPECT_FALSE(app.HasIdleHandler()) << "writing the current value starts nothing";
    timer.Loaded();
    EXPECT_TRUE(timer.Started());
    EXPECT_TRUE(app.HasIdleHandler());
}

struct Pass {
    uint32_t afterMs;
    bool ticks;
    int32_t lag;
};

struct LagCase {
    const char* name;
    uint32_t interval;
    std::vector<Pass> passes;
};

class LagCount : public FrameTimer, public ::testing::WithParamInterface<LagCase> {};

TEST_P(LagCount, TicksOnceTheIntervalHasPassed)
{
    const LagCase& c = GetParam();
    Start(c.interval);
    for (size_t i = 0; i < c.passes.size(); ++i) {
        const Pass& p = c.passes[i];
        ASSERT_EQ(PassAfter(p.afterMs), p.ticks) << "pass " << i;
        if (p.ticks) {
            EXPECT_EQ(lags.back(), p.lag) << "pass " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Passes, LagCount,
    ::testing::Values(LagCase{"EveryPassAtIntervalZero", 0,
                              {{3, true, 3}, {3, true, 3}, {0, true, 1}, {0, true, 1}}},
                      LagCase{"WholeIntervalsElapsed", 15, {{40, true, 2}, {14, false, 0}, {1, true, 1}}},
                      LagCase{"MeasuredFromTheLastTick", 15,
                              {{10, false, 0}, {10, true, 1}, {14, false, 0}, {45, true, 3}}},
                      LagCase{"HugeGapCountsAsOne", 0, {{0x80000000u, true, 1}}},
                      LagCase{"IntervalAtTopOfRangeIsZero", 0x80000000u, {{0, true, 1}, {7, true, 7}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(FrameTimer, IntervalChangeGovernsTheNextPassWithoutResettingTheClock)
{
    Start(0);
    ASSERT_TRUE(PassAfter(1));
    clock.Advance(40);
    timer.SetInterval(15);
    ASSERT_TRUE(PassAfter(0));
    EXPECT_EQ(lags.back(), 2);
    timer.SetInterval(100);
    EXPECT_FALSE(PassAfter(99));
    EXPECT_TRUE(PassAfter(1));
}

struct IntervalCase {
    uint32_t value;
    uint32_t interval;
    uint32_t divisor;
};

class IntervalSetter : public FrameTimer, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalSetter, ReadsTheValueAsSigned)
{
    const IntervalCase& c = GetParam();
    timer.SetInterval(c.value);
    EXPECT_EQ(timer.Interval(), c.interval);
    EXPECT_EQ(timer.IntervalDivisor(), c.divisor);
}

INSTANTIATE_TEST_SUITE_P(Values, IntervalSetter,
                         ::testing::Values(IntervalCase{0, 0, 1}, IntervalCase{1, 1, 1}, IntervalCase{15, 15, 15},
                                           IntervalCase{0x7FFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFFFu},
                                           IntervalCase{0x80000000u, 0, 1}, IntervalCase{0xFFFFFFFFu, 0, 1}));

struct RateCase {
    const char* name;
    int32_t ticks;
    uint32_t closingAtMs;
    int32_t expected;
};

class FramesPerSecond : public FrameTimer, public ::testing::WithParamInterface<RateCase> {};

// All ticks but the last come 1 ms apart; the last closes the window at closingAtMs.
TEST_P(FramesPerSecond, RoundsTheRateOfTheClosingWindowHalfToEven)
{
    const RateCase& c = GetParam();
    timer.OnTimer = nullptr; // ticks count whether or not anyone listens
    Start(0);
    for (int32_t i = 1; i < c.ticks; ++i)
        PassAfter(1);
    EXPECT_EQ(timer.FramesPerSecond(), 0) << "the window is still open";
    clock.Advance(c.closingAtMs - static_cast<uint32_t>(c.ticks - 1));
    app.RunIdle();
    EXPECT_EQ(timer.FramesPerSecond(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, FramesPerSecond,
                         ::testing::Values(RateCase{"SixtyOneInOneSecond", 61, 1000, 61},
                                           RateCase{"FiftyNineInJustOverASecond", 59, 1001, 59},
                                           RateCase{"LongStallHalfRoundsDown", 2, 4000, 0},
                                           RateCase{"OneAndAHalfRoundsUp", 3, 2000, 2},
                                           RateCase{"TwoAndAHalfRoundsDown", 5, 2000, 2},
                                           RateCase{"ThreeAndAHalfRoundsUp", 7, 2000, 4}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(FrameTimer, EachWindowStartsAfresh)
{
    Start(0);
    PassAfter(1000);
    EXPECT_EQ(timer.FramesPerSecond(), 1);
    for (int i = 0; i < 9; ++i)
        PassAfter(100);
    EXPECT_EQ(timer.FramesPerSecond(), 1);
    PassAfter(100);
    EXPECT_EQ(timer.FramesPerSecond(), 10);
}

TEST_F(FrameTimer, ClockWrapAroundIsAbsorbed)
{
    clock.SetMilliseconds(0xFFFFFFF0u);
    Start(15);
    ASSERT_TRUE(PassAfter(32));
    EXPECT_EQ(clock.Milliseconds(), 0x10u);
    EXPECT_EQ(lags.back(), 2);
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(PassAfter(16));
    ASSERT_TRUE(PassAfter(488)) << "32 + 30 * 16 + 488 = 1000 ms since the start";
    EXPECT_EQ(timer.FramesPerSecond(), 32);
}

TEST_F(FrameTimer, WaitsForActivationThenTicksAtOnce)
{
    int activations = 0;
    timer.OnActivate = [&](TCustomDXTimer& sender) {
        EXPECT_EQ(&sender, &timer);
        ++activations;
    };
    app.SetActive(false);
    Start(0);
    EXPECT_TRUE(timer.Started());
    EXPECT_FALSE(app.HasIdleHandler());
    EXPECT_FALSE(PassAfter(5000));

    app.SetActive(true);
    EXPECT_EQ(activations, 1);
    ASSERT_TRUE(PassAfter(0));
    EXPECT_EQ(lags.back(), 1) << "the wait before activation is no lag";
}

TEST_F(FrameTimer, DeactivationUnhooksAndReactivationHooksAgain)
{
    int deactivations = 0;
    timer.OnDeactivate = [&](TCustomDXTimer&) { ++deactivations; };
    Start(0);
    ASSERT_TRUE(PassAfter(3));
    app.SetActive(false);
    EXPECT_EQ(deactivations, 1);
    EXPECT_FALSE(app.HasIdleHandler());
    EXPECT_TRUE(timer.Started());
    clock.Advance(700);
    app.SetActive(true);
    ASSERT_TRUE(PassAfter(4));
    EXPECT_EQ(lags.back(), 4);
}

TEST_F(FrameTimer, WithoutActiveOnlyTheTimerIgnoresActivation)
{
    int notices = 0;
    timer.OnActivate = timer.OnDeactivate = [&](TCustomDXTimer&) { ++notices; };
    timer.SetActiveOnly(false);
    app.SetActive(false);
    Start(0);
    EXPECT_TRUE(PassAfter(2));
    app.SetActive(true);
    app.SetActive(false);
    EXPECT_EQ(notices, 3) << "the events still fire";
    EXPECT_TRUE(PassAfter(2));
}

TEST_F(FrameTimer, ChangingActiveOnlyWhileRunningFollowsTheActiveState)
{
    timer.SetActiveOnly(false);
    app.SetActive(false);
    Start(0);
    EXPECT_TRUE(app.HasIdleHandler());
    timer.SetActiveOnly(true);
    EXPECT_FALSE(app.HasIdleHandler());
    timer.SetActiveOnly(false);
    EXPECT_TRUE(app.HasIdleHandler());
}

TEST_F(FrameTimer, SwitchingOffAndOnKeepsTheRateAndTheWindowCount)
{
    Start(0);
    for (int i = 0; i < 60; ++i)
        PassAfter(1);
    PassAfter(940);
    ASSERT_EQ(timer.FramesPerSecond(), 61);
    for (int i = 0; i < 10; ++i)
        PassAfter(1);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Started());
    EXPECT_FALSE(app.HasIdleHandler());
    clock.Advance(10000);
    timer.SetEnabled(true);
    EXPECT_EQ(timer.FramesPerSecond(), 61);

    for (int i = 0; i < 50; ++i)
        PassAfter(1);
    PassAfter(950);
    EXPECT_EQ(timer.FramesPerSecond(), 61) << "10 carried over plus 51 in the second after switching on";
}

TEST_F(FrameTimer, WritingTheCurrentValuesChangesNothing)
{
    Start(0);
    ASSERT_TRUE(PassAfter(1));
    clock.Advance(10);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    ASSERT_TRUE(PassAfter(0));
    EXPECT_EQ(lags.back(), 10) << "a restart would have reset the clock";
}

TEST_F(FrameTimer, EnabledWrittenWhileLoadingIsOnlyStored)
{
    timer.BeginLoading();
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Started());
    EXPECT_FALSE(app.HasIdleHandler());
    timer.Loaded();
    EXPECT_TRUE(app.HasIdleHandler());

    TDXTimer off(clock, app);
    off.BeginLoading();
    off.SetEnabled(false);
    off.Loaded();
    EXPECT_FALSE(off.Started());
}

TEST_F(FrameTimer, ExceptionFromTheHandlerLeavesTheTimerTicking)
{
    // Catches the idle handler, to see the "done" flag the timer left before the exception.
    class TCapturingApplication : public THeadlessApplication {
    public:
        void SetIdleHandler(IdleHandler handler) override
        {
            Captured = handler;
            THeadlessApplication::SetIdleHandler(std::move(handler));
        }
        IdleHandler Captured;
    };
    TCapturingApplication capturing;
    TDXTimer t(clock, capturing);
    int ticks = 0;
    t.OnTimer = [&](TCustomDXTimer&, int32_t) {
        ++ticks;
        throw std::runtime_error("boom");
    };
    t.SetEnabled(false);
    t.SetInterval(15);
    t.SetEnabled(true);
    clock.Advance(20);
    bool done = true;
    EXPECT_THROW(capturing.Captured(done), std::runtime_error);
    EXPECT_FALSE(done);
    EXPECT_TRUE(capturing.HasIdleHandler());
    EXPECT_FALSE(capturing.RunIdle()) << "still polling";
    EXPECT_EQ(ticks, 1) << "the failed tick counted as made";
    clock.Advance(15);
    EXPECT_THROW(capturing.RunIdle(), std::runtime_error);
    EXPECT_EQ(ticks, 2);
}

TEST(FrameTimerLifetime, DestructionSwitchesOffAndRemovesTheHook)
{
    TManualClock clock;
    THeadlessApplication app;
    {
        TDXTimer timer(clock, app);
        timer.Loaded();
        EXPECT_TRUE(app.HasIdleHandler());
        EXPECT_EQ(app.ActivationHookCount(), 1u);
    }
    EXPECT_FALSE(app.HasIdleHandler());
    EXPECT_EQ(app.ActivationHookCount(), 0u);
    app.SetActive(false);
    app.SetActive(true);
    EXPECT_FALSE(app.HasIdleHandler());
}

} // namespace
