#pragma once
#include <QObject>
#include <QSocketNotifier>

// SIGTERM and SIGINT end the Qt application's loop as quitting does, instead of the process, so destructors
// run: an online race says goodbye and a router forgets its port mapping. The handler only writes a byte to
// a pipe; the loop reads it and quits. One at a time: the handlers belong to the process.
class TQuitOnSignals : public QObject {
public:
    // Needs a QCoreApplication to exist. The default handlers come back with the destructor.
    explicit TQuitOnSignals(QObject* parent = nullptr);
    ~TQuitOnSignals() override;
    TQuitOnSignals(const TQuitOnSignals&) = delete;
    TQuitOnSignals& operator=(const TQuitOnSignals&) = delete;

private:
    void SignalArrived();

    int FPipe[2] = {-1, -1};
    QSocketNotifier* FNotifier = nullptr;
};
