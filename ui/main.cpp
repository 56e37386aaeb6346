// QuiboTrainer: a sailing trainer for two players at one keyboard.
#include "platform/qt/QtApplication.h"
#include "ui/MainForm.h"
#include "ui/QuiboApplication.h"
#include "ui/SetupForm.h"

#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Only the exact first argument counts; Qt may take its own arguments out of argv later.
    const bool debug = argc > 1 && std::strcmp(argv[1], "DEBUG") == 0;

    TQuiboApplication app(argc, argv);
    TQtApplication application;
    application.SetExceptionReporter(&TQuiboApplication::ReportException);

    TMainForm mainForm(application, debug);
    TSetupForm setupForm(mainForm.Clock, mainForm.Messages, &mainForm);
    setupForm.SetIcon(ProgramIcon());
    mainForm.SetSetupForm(&setupForm);

    // For measurements: the frame timer's measured rate once a second on standard error.
    QTimer rateReport;
    if (!qEnvironmentVariableIsEmpty("QUIBO_REPORT_RATE")) {
        QObject::connect(&rateReport, &QTimer::timeout, [&mainForm] {
            std::fprintf(stderr, "ticks per second: %d\n", mainForm.DXTimer1.FramesPerSecond());
        });
        rateReport.start(1000);
    }

    mainForm.show();
    return app.exec();
}
