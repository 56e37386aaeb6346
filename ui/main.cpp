// QuiboTrainer: a sailing trainer for two players at one keyboard.
#include "platform/qt/QtApplication.h"
#include "platform/qt/WaylandDecorations.h"
#include "ui/MainForm.h"
#include "ui/QuiboApplication.h"
#include "ui/SetupForm.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();
    // Only the exact first argument counts; Qt may take its own arguments out of argv later.
    const bool debug = argc > 1 && std::strcmp(argv[1], "DEBUG") == 0;

    LeaveWindowDecorationsToTheCompositor();
    TQuiboApplication app(argc, argv);
    TQtApplication application;
    application.SetExceptionReporter(&TQuiboApplication::ReportException);

    TMainForm mainForm(application, debug);
    TSetupForm setupForm(mainForm.Clock, mainForm.Messages, &mainForm);
    setupForm.SetIcon(ProgramIcon());
    mainForm.SetSetupForm(&setupForm);

    // For measurements, on standard error: when the first frame was drawn, then once a second the frame
    // timer's measured rate and the heap in use.
    QTimer rateReport;
    QTimer firstFrameWatch;
    if (!qEnvironmentVariableIsEmpty("QUIBO_REPORT_RATE")) {
        QObject::connect(&firstFrameWatch, &QTimer::timeout, [&] {
            if (mainForm.Session.Race.ProcessedTicks() == 0)
                return;
            firstFrameWatch.stop();
            std::fprintf(stderr, "first frame after: %lld ms\nfirst frame at: %lld ms since the epoch\n",
                static_cast<long long>(started.elapsed()), static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        });
        firstFrameWatch.start(1);
        QObject::connect(&rateReport, &QTimer::timeout, [&mainForm] {
            const struct mallinfo2 heap = mallinfo2();
            std::fprintf(stderr, "ticks per second: %d\nheap in use: %zu bytes\n", mainForm.Session.DXTimer1.FramesPerSecond(),
                heap.uordblks + heap.hblkhd);
        });
        rateReport.start(1000);
    }

    mainForm.show();
    return app.exec();
}
