#include "platform/qt/QtApplication.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QtGlobal>

#include <exception>
#include <vector>

namespace {

constexpr int PollIntervalMs = 1;

bool IsActiveState(Qt::ApplicationState state)
{
    return state == Qt::ApplicationActive;
}

} // namespace

TQtApplication::TQtApplication(QObject* parent)
    : QObject(parent)
    , FWasActive(IsActiveState(QGuiApplication::applicationState()))
{
    FPollTimer.setTimerType(Qt::PreciseTimer);
    FPollTimer.setInterval(PollIntervalMs);
    // The timer only wakes the loop; the pass that follows runs the handler.
    connect(&FPollTimer, &QTimer::timeout, this, [] {});
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
        [this] { IdlePass(); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState state) { ApplicationStateChanged(state); });
}

TQtApplication::~TQtApplication() = default;

void TQtApplication::SetIdleHandler(IdleHandler handler)
{
    if (handler) {
        FIdle = std::make_shared<IdleHandler>(std::move(handler));
        // Make sure a loop that is asleep right now comes round to the new handler.
        QAbstractEventDispatcher::instance()->wakeUp();
    } else {
        FIdle.reset();
        FPollTimer.stop();
    }
}

bool TQtApplication::Active() const
{
    return IsActiveState(QGuiApplication::applicationState());
}

int TQtApplication::AddActivationHook(ActivationHook hook)
{
    const int id = FNextHookId++;
    FHooks.emplace(id, std::move(hook));
    return id;
}

void TQtApplication::RemoveActivationHook(int id)
{
    FHooks.erase(id);
}

void TQtApplication::SetExceptionReporter(ExceptionReporter reporter)
{
    FReporter = std::move(reporter);
}

void TQtApplication::IdlePass()
{
    // Hold the handler: it may replace or remove itself while it runs.
    const std::shared_ptr<IdleHandler> handler = FIdle;
    if (!handler) {
        FPollTimer.stop();
        return;
    }
    bool done = true;
    try {
        (*handler)(done);
    } catch (const std::exception& e) {
        if (FReporter)
            FReporter(e.what());
        else
            qWarning("%s", e.what());
    }
    if (!done && FIdle) {
        if (!FPollTimer.isActive())
            FPollTimer.start();
    } else {
        FPollTimer.stop();
    }
}

void TQtApplication::ApplicationStateChanged(Qt::ApplicationState state)
{
    const bool active = IsActiveState(state);
    if (active == FWasActive)
        return;
    FWasActive = active;
    // A hook may add or remove hooks; call those present at the change and still registered.
    std::vector<int> ids;
    ids.reserve(FHooks.size());
    for (const auto& entry : FHooks)
        ids.push_back(entry.first);
    for (const int id : ids) {
        const auto it = FHooks.find(id);
        if (it != FHooks.end()) {
            const ActivationHook hook = it->second;
            hook(active);
        }
    }
}
