#include "platform/qt/QuitOnSignals.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// The write end, for the handler; -1 while no instance lives.
volatile std::sig_atomic_t WriteEnd = -1;

constexpr int Signals[] = {SIGTERM, SIGINT};

extern "C" void Arrived(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a quit.
    [[maybe_unused]] const ssize_t written = write(WriteEnd, &byte, 1);
    errno = saved;
}

void Handle(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals)
        sigaction(signal, &action, nullptr);
}

} // namespace

TQuitOnSignals::TQuitOnSignals(QObject* parent) : QObject(parent)
{
    if (pipe2(FPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the signals");
    WriteEnd = FPipe[1];
    FNotifier = new QSocketNotifier(FPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { SignalArrived(); });
    Handle(Arrived);
}

TQuitOnSignals::~TQuitOnSignals()
{
    Handle(SIG_DFL);
    WriteEnd = -1;
    delete FNotifier;
    close(FPipe[0]);
    close(FPipe[1]);
}

void TQuitOnSignals::SignalArrived()
{
    char bytes[16];
    while (read(FPipe[0], bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::quit();
}
