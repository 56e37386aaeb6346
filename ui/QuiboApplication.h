#pragma once
#include <QApplication>

#include <string>

// The application: an exception that reaches the event loop is reported in a message box and the program goes
// on. While one box is up, further reports are dropped, so a fault that repeats on every tick (the box's own
// loop keeps ticking) shows one box, not a pile of them.
class TQuiboApplication : public QApplication {
public:
    TQuiboApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    static void ReportException(const std::string& message);
};
