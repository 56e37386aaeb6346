#include "platform/qt/QtApplication.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(QtApplicationIdle, PollingHandlerRunsOnEveryPassOfARunningLoop)
{
    TQtApplication application;
    int calls = 0;
    application.SetIdleHandler([&](bool& done) {
        ++calls;
        done = false;
    });
    RunEventLoop(200);
    application.SetIdleHandler({});
    // A poll about every millisecond; allow for a loaded machine.
    EXPECT_GT(calls, 40);
}

TEST(QtApplicationIdle, HandlerLeavingDoneSetLetsTheLoopSleepUntilTheNextEvent)
{
    TQtApplication application;
    int calls = 0;
    application.SetIdleHandler([&](bool&) { ++calls; });
    RunEventLoop(200);
    const int quiet = calls;
    EXPECT_GE(quiet, 1);
    EXPECT_LE(quiet, 10);

    // Each event that wakes the loop brings one more pass.
    QEventLoop loop;
    for (int at : {20, 40, 60})
        QTimer::singleShot(at, [] {});
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
    application.SetIdleHandler({});
    EXPECT_GE(calls - quiet, 3);
    EXPECT_LE(calls - quiet, 20);
}

TEST(QtApplicationIdle, RemovedHandlerIsNotCalledAgain)
{
    TQtApplication application;
    int calls = 0;
    application.SetIdleHandler([&](bool& done) {
        ++calls;
        done = false;
    });
    RunEventLoop(20);
    application.SetIdleHandler({});
    const int before = calls;
    RunEventLoop(50);
    EXPECT_EQ(calls, before);
}

TEST(QtApplicationIdle, HandlerMayRemoveOrReplaceItselfWhileRunning)
{
    TQtApplication application;
    int firstCalls = 0;
    int secondCalls = 0;
    application.SetIdleHandler([&](bool& done) {
        ++firstCalls;
        done = false;
        application.SetIdleHandler([&](bool& again) {
            ++secondCalls;
            again = false;
            if (secondCalls == 5)
                application.SetIdleHandler({});
        });
    });
    RunEventLoop(100);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 5);
}

TEST(QtApplicationIdle, ExceptionFromHandlerIsReportedAndTheLoopGoesOn)
{
    TQtApplication application;
    std::vector<std::string> reports;
    application.SetExceptionReporter([&](const std::string& message) { reports.push_back(message); });
    int calls = 0;
    application.SetIdleHandler([&](bool& done) {
        done = false;
        if (++calls <= 2)
            throw std::runtime_error("tick failed");
    });
    RunEventLoop(100);
    application.SetIdleHandler({});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "tick failed");
    EXPECT_GT(calls, 10);
}

// The race goes on behind modal windows: their own loops make idle passes too.
struct TModalCase {
    const char* Name;
    std::function<int(QWidget*&)> Run;
};

class QtApplicationModal : public testing::TestWithParam<TModalCase> {};

TEST_P(QtApplicationModal, IdleHandlerRunsWhileAModalWindowIsOpen)
{
    TQtApplication application;
    QWidget* modal = nullptr;
    int callsInside = 0;
    application.SetIdleHandler([&](bool& done) {
        done = false;
        if (modal != nullptr && QApplication::activeModalWidget() == modal)
            ++callsInside;
    });
    QTimer::singleShot(150, [&] {
        if (modal != nullptr)
            modal->close();
    });
    GetParam().Run(modal);
    application.SetIdleHandler({});
    EXPECT_GT(callsInside, 20);
}

INSTANTIATE_TEST_SUITE_P(Windows, QtApplicationModal,
    testing::Values(TModalCase{"Dialog",
                        [](QWidget*& modal) {
                            QDialog dialog;
                            modal = &dialog;
                            const int result = dialog.exec();
                            modal = nullptr;
                            return result;
                        }},
        TModalCase{"MessageBox",
            [](QWidget*& modal) {
                QMessageBox box(QMessageBox::Information, "Information", "1, 2: 3", QMessageBox::Ok);
                modal = &box;
                const int result = box.exec();
                modal = nullptr;
                return result;
            }}),
    [](const testing::TestParamInfo<TModalCase>& param) { return param.param.Name; });

TEST(QtApplicationActivation, ActiveFollowsTheApplicationState)
{
    TQtApplication application;
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(WaitFor([&] { return application.Active(); }));
}

// The offscreen platform never deactivates the application by itself, so the state changes are announced here
// the way the platform announces them.
TEST(QtApplicationActivation, HooksHearChangesBetweenActiveAndInactiveOnly)
{
    TQtApplication application;
    std::vector<bool> heard;
    std::vector<bool> removedHeard;
    application.AddActivationHook([&](bool active) { heard.push_back(active); });
    const int removed = application.AddActivationHook([&](bool active) { removedHeard.push_back(active); });
    application.RemoveActivationHook(removed);

    const bool start = application.Active();
    const Qt::ApplicationState away[] = {Qt::ApplicationInactive, Qt::ApplicationHidden, Qt::ApplicationSuspended};
    std::vector<bool> expected;
    if (start) {
        for (Qt::ApplicationState state : away)
            emit qGuiApp->applicationStateChanged(state);
        expected.push_back(false);
    }
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    expected.push_back(true);
    for (Qt::ApplicationState state : away)
        emit qGuiApp->applicationStateChanged(state);
    expected.push_back(false);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    expected.push_back(true);

    EXPECT_EQ(heard, expected);
    EXPECT_TRUE(removedHeard.empty());
}

TEST(QtApplicationActivation, HookMayRemoveItselfAndOthersWhileBeingCalled)
{
    TQtApplication application;
    std::vector<int> calls;
    int second = 0;
    const int first = application.AddActivationHook([&](bool) {
        calls.push_back(1);
        application.RemoveActivationHook(second);
    });
    second = application.AddActivationHook([&](bool) { calls.push_back(2); });
    application.AddActivationHook([&](bool) {
        calls.push_back(3);
        application.RemoveActivationHook(first);
    });
    const bool start = application.Active();
    emit qGuiApp->applicationStateChanged(start ? Qt::ApplicationInactive : Qt::ApplicationActive);
    emit qGuiApp->applicationStateChanged(start ? Qt::ApplicationActive : Qt::ApplicationInactive);
    EXPECT_EQ(calls, (std::vector<int>{1, 3, 3}));
}

} // namespace
