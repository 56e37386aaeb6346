#include "ui/QuiboApplication.h"

#include <QMessageBox>

#include <exception>

namespace {

bool Reporting = false;

} // namespace

TQuiboApplication::TQuiboApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TQuiboApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException("Unknown error");
    }
    return false;
}

void TQuiboApplication::ReportException(const std::string& message)
{
    if (Reporting)
        return;
    Reporting = true;
    QMessageBox::critical(QApplication::activeWindow(), "QuiboTrainer", QString::fromStdString(message));
    Reporting = false;
}
