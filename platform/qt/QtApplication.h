#pragma once
#include "platform/Application.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>

// The Qt application seen as a message loop with idle processing.
//
// Idle passes: the event dispatcher announces every pass of any event loop of the GUI thread that may wait
// (aboutToBlock), including the nested loops of modal dialogs and message boxes; each announcement runs the
// idle handler once. A handler that leaves "done" true lets the loop sleep until the next event, after which
// the next pass calls it again. A handler that sets it false asks to be called again at once; instead of
// spinning a core we arm a 1 ms precise timer, so the loop sleeps in the dispatcher and wakes within about a
// millisecond for the next pass. That keeps millisecond resolution for frame pacing at a small fraction of a
// core.
//
// Activation: Qt's application state, reduced to active (Qt::ApplicationActive) or not; the hooks hear only
// real changes of that.
class TQtApplication : public QObject, public IApplication {
public:
    // Reports an exception that escaped the idle handler; the loop goes on afterwards.
    using ExceptionReporter = std::function<void(const std::string& message)>;

    // Needs a QGuiApplication (or QApplication) to exist.
    explicit TQtApplication(QObject* parent = nullptr);
    ~TQtApplication() override;

    void SetIdleHandler(IdleHandler handler) override;
    bool Active() const override;
    int AddActivationHook(ActivationHook hook) override;
    void RemoveActivationHook(int id) override;

    // Without a reporter, escaped exceptions go to qWarning.
    void SetExceptionReporter(ExceptionReporter reporter);

private:
    void IdlePass();
    void ApplicationStateChanged(Qt::ApplicationState state);

    std::shared_ptr<IdleHandler> FIdle;
    QTimer FPollTimer;
    bool FWasActive = false;
    int FNextHookId = 1;
    std::map<int, ActivationHook> FHooks;
    ExceptionReporter FReporter;
};
