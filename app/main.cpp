// QuiboTrainer: a sailing trainer for two players at one keyboard.
#include "app/ProgramHelp.h"
#include "app/ProgramOptions.h"
#include "app/RateReport.h"
#include "network/RaceCode.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QuitOnSignals.h"
#include "platform/qt/WaylandDecorations.h"
#include "platform/sdl/SdlSoundPlayer.h"
#include "simulation/RaceSounds.h"
#include "ui/JoinDialog.h"
#include "ui/MainForm.h"
#include "ui/OnlineRace.h"
#include "ui/QuiboApplication.h"
#include "ui/SetupForm.h"
#include "ui/Translations.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// Help or the version, as command-line programs answer: on standard output, without a window, so without a
// display either.
int Answer(TProgramOptions::TRequest request, const QString& program, int argc, char** argv)
{
    QCoreApplication core(argc, argv);
    const TProgramTranslation translation;
    const QString text = request == TProgramOptions::Help ? TProgramHelp::HelpText(program)
                                                          : QString::fromStdString(VersionText()) + QLatin1Char('\n');
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();
    // Read before Qt takes its own arguments out of argv.
    TProgramOptions commandLine = ReadProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    if (commandLine.Request != TProgramOptions::Play)
        return Answer(commandLine.Request, program, argc, argv);

    LeaveWindowDecorationsToTheCompositor();
    TQuiboApplication app(argc, argv);
    // The desktop's language, before the windows read their texts.
    const TProgramTranslation translation;
    TQtApplication application;
    application.SetExceptionReporter(&TQuiboApplication::ReportException);
    // SIGTERM and SIGINT end the loop, so that everything below is destroyed as on quitting.
    const TQuitOnSignals quitOnSignals;

    // Qt has taken its own arguments out by now.
    TOnlineOptions& online = commandLine.Online;
    std::unique_ptr<INetLink> link;
    try {
        std::vector<std::string> args;
        for (const QString& arg : QCoreApplication::arguments().mid(1))
            args.push_back(arg.toStdString());
        ReadOnlineOptions(commandLine, args);
        if (online.Role == TOnlineOptions::Host) {
            if (!online.Open && online.Code.empty())
                online.Code = NewRaceCode();
            link = TEnetLink::Host(online.Port);
        } else if (online.Role == TOnlineOptions::Join || online.Role == TOnlineOptions::Watch) {
            std::string host;
            uint16_t port = 0;
            // A bad address on the command line is refused before anything is asked.
            if (!online.Address.empty())
                SplitHostPort(online.Address, host, port);
            // Without an address or a code the player is asked; with both, not.
            if (online.Address.empty() || online.Code.empty()) {
                const std::optional<TJoinRequest> request =
                    AskToJoin(online.Address, online.Code, online.Role == TOnlineOptions::Watch);
                if (!request)
                    return 0;
                online.Address = request->Address;
                online.Code = request->Code;
                SplitHostPort(online.Address, host, port);
            }
            link = TEnetLink::Join(host, port);
        }
    } catch (const ENetStartError& error) {
        return Refuse(TOnlineRace::StartErrorText(error));
    } catch (const std::invalid_argument& error) {
        return Refuse(TProgramHelp::RefusalText(QString::fromStdString(error.what()), program));
    }

    // Made before the window, which plays through it, and so gone after it.
    TSdlSoundPlayer sound;
    sound.SetMuted(commandLine.Mute);
    TMainForm mainForm(application, commandLine.Debug);
    mainForm.SetSoundPlayer(sound);
    mainForm.OnRaceEvent = [&sound](const TRaceEvent& event) { PlayRaceSound(sound, event); };
    TSetupForm setupForm(mainForm.Clock, mainForm.Messages, &mainForm);
    setupForm.SetIcon(ProgramIcon());
    mainForm.SetSetupForm(&setupForm);
    if (commandLine.Demo)
        mainForm.StartDemo();

    std::unique_ptr<TOnlineRace> onlineRace;
    if (link) {
        TNetRace::TOptions options;
        options.Version = QUIBO_VERSION;
        options.TimeOfDay = mainForm.Clock.MillisecondsOfDay();
        options.RecordPath = online.RecordPath;
        options.Code = online.Code;
        options.Open = online.Open;
        options.Watch = online.Role == TOnlineOptions::Watch;
        try {
            onlineRace = std::make_unique<TOnlineRace>(mainForm, application, std::move(link),
                online.Role == TOnlineOptions::Host, QString::fromStdString(online.Address), options,
                online.PortMapping);
        } catch (const std::runtime_error& error) {
            return Refuse(TOnlineRace::RecordErrorText(error.what()));
        }
    }

    const TRateReport rateReport(mainForm, onlineRace.get(), started);
    mainForm.show();
    return app.exec();
}
