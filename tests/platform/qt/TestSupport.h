#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs a real event loop (one that may sleep, so idle passes happen) for the given time.
inline void RunEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Processes events until the condition holds or the time is up; returns the condition.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 3000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs fn on a modal dialog once it is up, from inside its modal loop.
inline void WhenDialogShows(QWidget& dialog, std::function<void()> fn)
{
    auto* timer = new QTimer(&dialog);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &dialog, [timer, &dialog, fn] {
        if (!dialog.isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        fn();
    });
    timer->start();
}
