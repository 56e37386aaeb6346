// QuiboTrainer: a sailing trainer for two players at one keyboard.
#include "platform/qt/QtApplication.h"
#include "platform/qt/WaylandDecorations.h"
#include "ui/JoinDialog.h"
#include "ui/MainForm.h"
#include "ui/OnlineOptions.h"
#include "ui/OnlineRace.h"
#include "ui/QuiboApplication.h"
#include "ui/SetupForm.h"
#include "ui/Translations.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Told on standard error and, where there is a screen to show it on, in a message box; the program then
// ends with status 2.
int Refuse(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal")
        TQtMessageBox(nullptr).ShowInformation("QuiboTrainer", text.toStdString());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();
    // Only the exact first argument counts; Qt may take its own arguments out of argv later.
    const bool debug = argc > 1 && std::strcmp(argv[1], "DEBUG") == 0;

    LeaveWindowDecorationsToTheCompositor();
    TQuiboApplication app(argc, argv);
    // The desktop's language, before the windows read their texts.
    const TProgramTranslation translation;
    TQtApplication application;
    application.SetExceptionReporter(&TQuiboApplication::ReportException);

    // Qt has taken its own arguments out by now.
    TOnlineOptions online;
    std::unique_ptr<INetLink> link;
    try {
        std::vector<std::string> args;
        for (const QString& arg : QCoreApplication::arguments().mid(1))
            args.push_back(arg.toStdString());
        online = ParseOnlineOptions(args);
        if (online.Role == TOnlineOptions::Join && online.Address.empty()) {
            const std::optional<QString> address = AskForHostAddress();
            if (!address)
                return 0;
            online.Address = address->toStdString();
        }
        if (online.Role == TOnlineOptions::Host) {
            link = TEnetLink::Host(online.Port);
        } else if (online.Role == TOnlineOptions::Join) {
            std::string host;
            uint16_t port = 0;
            SplitHostPort(online.Address, host, port);
            link = TEnetLink::Join(host, port);
        }
    } catch (const ENetStartError& error) {
        return Refuse(TOnlineRace::StartErrorText(error));
    } catch (const std::invalid_argument& error) {
        return Refuse(QString::fromStdString(error.what()));
    }

    TMainForm mainForm(application, debug);
    TSetupForm setupForm(mainForm.Clock, mainForm.Messages, &mainForm);
    setupForm.SetIcon(ProgramIcon());
    mainForm.SetSetupForm(&setupForm);

    std::unique_ptr<TOnlineRace> onlineRace;
    if (link) {
        TNetRace::TOptions options;
        options.Version = QUIBO_VERSION;
        options.TimeOfDay = mainForm.Clock.MillisecondsOfDay();
        options.RecordPath = online.RecordPath;
        try {
            onlineRace = std::make_unique<TOnlineRace>(mainForm, application, std::move(link),
                online.Role == TOnlineOptions::Host, QString::fromStdString(online.Address), options);
        } catch (const std::runtime_error& error) {
            return Refuse(TOnlineRace::RecordErrorText(error.what()));
        }
    }

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
        QObject::connect(&rateReport, &QTimer::timeout, [&mainForm, &onlineRace] {
            const struct mallinfo2 heap = mallinfo2();
            std::fprintf(stderr, "ticks per second: %d\nheap in use: %zu bytes\n", mainForm.Session.DXTimer1.FramesPerSecond(),
                heap.uordblks + heap.hblkhd);
            if (onlineRace) {
                const TNetRace& net = onlineRace->Net();
                const INetLink& line = net.Link();
                std::fprintf(stderr, "online: tick %lld delay %d round trip %lld ms sent %lld bytes %lld packets "
                    "received %lld bytes %lld packets dropped %lld\n",
                    static_cast<long long>(mainForm.Session.Race.ProcessedTicks()), net.Delay(),
                    static_cast<long long>(net.RoundTrip()), static_cast<long long>(line.BytesSent()),
                    static_cast<long long>(line.PacketsSent()), static_cast<long long>(line.BytesReceived()),
                    static_cast<long long>(line.PacketsReceived()), static_cast<long long>(line.Dropped()));
            }
        });
        rateReport.start(1000);
    }

    mainForm.show();
    return app.exec();
}
