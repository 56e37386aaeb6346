#include "platform/HeadlessApplication.h"
#include "platform/ManualClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ManualClock, AdvancesBothReadingsWithWrapAround)
{
    TManualClock clock(0xFFFFFFFFu, TManualClock::MillisecondsPerDay - 1);
    clock.Advance(2);
    EXPECT_EQ(clock.Milliseconds(), 1u);
    EXPECT_EQ(clock.MillisecondsOfDay(), 1u);
    clock.SetMilliseconds(42);
    clock.SetMillisecondsOfDay(TManualClock::MillisecondsPerDay + 5);
    EXPECT_EQ(clock.Milliseconds(), 42u);
    EXPECT_EQ(clock.MillisecondsOfDay(), 5u);
    clock.Advance(0xFFFFFFFFu);
    EXPECT_EQ(clock.Milliseconds(), 41u);
    EXPECT_EQ(clock.MillisecondsOfDay(), (5 + 0xFFFFFFFFull) % TManualClock::MillisecondsPerDay);
}

TEST(HeadlessApplication, IdlePassReportsTheDoneFlag)
{
    THeadlessApplication app;
    EXPECT_FALSE(app.HasIdleHandler());
    EXPECT_TRUE(app.RunIdle()) << "without a handler the loop would wait";
    int calls = 0;
    app.SetIdleHandler([&](bool& done) {
        EXPECT_TRUE(done) << "the flag starts true";
        ++calls;
        done = false;
    });
    EXPECT_FALSE(app.RunIdle());
    EXPECT_EQ(calls, 1);
    app.SetIdleHandler({});
    EXPECT_FALSE(app.HasIdleHandler());
    EXPECT_TRUE(app.RunIdle());
    EXPECT_EQ(calls, 1);
}

TEST(HeadlessApplication, HandlerMayRemoveItselfWhileRunning)
{
    THeadlessApplication app;
    int calls = 0;
    app.SetIdleHandler([&](bool& done) {
        app.SetIdleHandler({});
        ++calls;
        done = false;
    });
    EXPECT_FALSE(app.RunIdle());
    EXPECT_TRUE(app.RunIdle());
    EXPECT_EQ(calls, 1);
}

TEST(HeadlessApplication, HooksHearChangesAfterTheStateChanged)
{
    THeadlessApplication app(false);
    std::vector<std::pair<bool, bool>> heard; // (told, Active() at that moment)
    const int id = app.AddActivationHook([&](bool active) { heard.emplace_back(active, app.Active()); });
    app.SetActive(false);
    EXPECT_TRUE(heard.empty()) << "no change, no notice";
    app.SetActive(true);
    app.SetActive(false);
    EXPECT_EQ(heard, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
    app.RemoveActivationHook(id);
    app.SetActive(true);
    EXPECT_EQ(heard.size(), 2u);
}

TEST(HeadlessApplication, HookRemovedByAnEarlierHookIsNotTold)
{
    THeadlessApplication app;
    std::vector<int> told;
    int second = 0;
    app.AddActivationHook([&](bool) {
        told.push_back(1);
        app.RemoveActivationHook(second);
    });
    second = app.AddActivationHook([&](bool) { told.push_back(2); });
    app.AddActivationHook([&](bool) { told.push_back(3); });
    app.SetActive(false);
    EXPECT_EQ(told, (std::vector<int>{1, 3}));
    EXPECT_EQ(app.ActivationHookCount(), 2u);
}

} // namespace
