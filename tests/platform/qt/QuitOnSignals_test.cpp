#include "platform/qt/QuitOnSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Each signal ends the loop as quitting does (exec returns 0), and the process's default comes back after.
TEST(QuitOnSignals, TermAndIntEndTheLoopAndLeaveTheDefaultBehind)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        {
            const TQuitOnSignals quit;
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            // Should the signal be lost, the loop still ends, but saying so.
            QTimer lost;
            lost.setSingleShot(true);
            QObject::connect(&lost, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            lost.start(5000);
            EXPECT_EQ(QCoreApplication::exec(), 0) << signal;
        }
        struct sigaction now {};
        sigaction(signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << signal;
    }
}

} // namespace
