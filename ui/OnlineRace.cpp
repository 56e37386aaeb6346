#include "ui/OnlineRace.h"

#include "ui/HostDialog.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>

namespace {

// Often enough that a record waits at most a fraction of a frame to go out.
constexpr int ServiceIntervalMilliseconds = 4;
// The router answers within seconds; a fifth of one is soon enough to show it.
constexpr int MappingPollMilliseconds = 200;

} // namespace

TOnlineRace::TOnlineRace(TMainForm& form, IApplication& application, std::unique_ptr<INetLink> link, bool host,
                         const QString& address, TNetRace::TOptions options, bool askRouter)
    : FForm(form), FAddress(address),
      FInvitation{link->Port(), options.Open ? std::string() : options.Code, host && askRouter && !options.Open, {}},
      FNet(form.Session, application, form.Clock, std::move(link), host, std::move(options), *this)
{
    FInvitation.Mapping.LocalPort = FInvitation.Port;
    FRefusalNotice.setSingleShot(true);
    FRefusalNotice.setInterval(RefusalNoticeTime);
    connect(&FRefusalNotice, &QTimer::timeout, this, [this] { ShowStatus(); });
    if (host) {
        FHostDialog = new THostDialog(&form);
        FHostDialog->SetInvitation(FInvitation);
        form.StatusBar1->installEventFilter(this);
        // Once the window is up, so that the dialog stands beside it.
        QTimer::singleShot(0, FHostDialog, [this] { FHostDialog->show(); });
        if (FInvitation.RouterAsked) {
            FMapper = std::make_unique<TPortMapper>(FInvitation.Port);
            connect(&FMappingPoll, &QTimer::timeout, this, [this] { FollowMapping(); });
            FMappingPoll.start(MappingPollMilliseconds);
        } else {
            PrintInvitation();
        }
    }
    form.SetCommands(FNet);
    form.EnterOnlineRace();
    form.SetWatching(FNet.Watching());
    // Whichever way the program ends (Esc, the window closed, a signal), the other machine is told at once.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { FNet.Leave(); });
    FService.setTimerType(Qt::PreciseTimer);
    connect(&FService, &QTimer::timeout, this, [this] { FNet.Service(); });
    FService.start(ServiceIntervalMilliseconds);
    if (host || FNet.Watching()) {
        connect(&FRefresh, &QTimer::timeout, this, [this] { Refresh(); });
        FRefresh.start(RefreshMilliseconds);
    }
}

TOnlineRace::~TOnlineRace()
{
    FForm.StatusBar1->removeEventFilter(this);
    FForm.SetWatching(false);
    FForm.ShowSpectators({});
}

QString TOnlineRace::StatusText(TNetStatus status, const THostInvitation& invitation, const QString& address,
                                int64_t behind)
{
    switch (status) {
    case TNetStatus::None:
        return {};
    case TNetStatus::WaitingForGuest:
        return THostTexts::WaitingText(invitation);
    case TNetStatus::Connecting:
        return QCoreApplication::translate("TOnlineRace", "Verbinde mit %1 ...").arg(address);
    case TNetStatus::WaitingForPeer:
        return QCoreApplication::translate("TOnlineRace", "Warte auf den anderen Rechner ...");
    case TNetStatus::PeerInactive:
        return QCoreApplication::translate("TOnlineRace", "Pause: das Fenster des anderen Spielers ist nicht aktiv");
    case TNetStatus::Watching: {
        // Six ticks to a tenth of a second: the race runs 60 a second.
        const int64_t tenths = std::max<int64_t>(behind, 0) / 6;
        //: %1 whole seconds, %2 tenths: the decimal separator between them is the language's.
        return QCoreApplication::translate("TOnlineRace", "Du schaust zu – %1,%2 s hinter dem Rennen")
            .arg(tenths / 10)
            .arg(tenths % 10);
    }
    }
    return {};
}

QString TOnlineRace::SpectatorsText(size_t spectators)
{
    if (spectators == 0)
        return {};
    return QCoreApplication::translate("TOnlineRace", "Zuschauer: %1").arg(spectators);
}

QString TOnlineRace::WrongCodeText()
{
    return QCoreApplication::translate("TOnlineRace", "Ein Spieler mit falschem Code wurde abgewiesen.");
}

QString TOnlineRace::EndText(const TNetEnd& end, const QString& address)
{
    switch (end.Kind) {
    case TNetEnd::PeerLeft:
        return QCoreApplication::translate("TOnlineRace", "Der andere Spieler hat das Rennen verlassen. Das Rennen geht auf diesem Rechner weiter.");
    case TNetEnd::PeerLost:
        return QCoreApplication::translate("TOnlineRace", "Vom anderen Rechner kommt seit 5 Sekunden nichts mehr. Das Rennen geht auf diesem Rechner weiter.");
    case TNetEnd::Desync:
        return QCoreApplication::translate("TOnlineRace", "Das Rennen ist auf beiden Rechnern nach Takt %1 nicht mehr gleich und wurde angehalten.")
            .arg(end.Tick);
    case TNetEnd::RaceFull:
        return QCoreApplication::translate("TOnlineRace", "race full: Im Rennen auf %1 fahren schon zwei Spieler.").arg(address);
    case TNetEnd::OtherVersion:
        return QCoreApplication::translate("TOnlineRace", "Der Gastgeber hat QuiboTrainer %1, dieser Rechner QuiboTrainer %2: beide brauchen dieselbe Version.")
            .arg(QString::fromStdString(end.HostVersion), QString::fromStdString(end.GuestVersion));
    case TNetEnd::NoAnswer:
        return QCoreApplication::translate("TOnlineRace", "Keine Antwort von %1. Stimmen Adresse und Port? Ist der "
                                                          "Gastgeber hinter einem Router, muss sein UDP-Port dort "
                                                          "vielleicht an seinen Rechner weitergeleitet werden.")
            .arg(address);
    case TNetEnd::EnoughSpectators:
        return QCoreApplication::translate("TOnlineRace", "Dem Rennen auf %1 schauen schon %2 Zuschauer zu; mehr haben "
                                                          "keinen Platz.")
            .arg(address)
            .arg(THostDoor::MaxSpectators);
    case TNetEnd::WrongCode:
        return QCoreApplication::translate("TOnlineRace", "Der Gastgeber auf %1 hat den Code abgelehnt. Frag ihn "
                                                          "nach dem Code, den sein Fenster zeigt, und tritt damit "
                                                          "noch einmal bei.")
            .arg(address);
    }
    return {};
}

QString TOnlineRace::RecordErrorText(const std::string& path)
{
    return QCoreApplication::translate("TOnlineRace", "%1 lässt sich nicht schreiben.").arg(QString::fromStdString(path));
}

QString TOnlineRace::StartErrorText(const ENetStartError& error)
{
    const QString detail = QString::fromStdString(error.Detail);
    switch (error.Kind) {
    case ENetStartError::BadPort:
        return QCoreApplication::translate("TOnlineRace", "Ungültiger Port: %1").arg(detail);
    case ENetStartError::BadAddress:
        return QCoreApplication::translate("TOnlineRace", "Ungültige Adresse: %1").arg(detail);
    case ENetStartError::PortUnavailable:
        return QCoreApplication::translate("TOnlineRace", "Der UDP-Port %1 lässt sich nicht öffnen.").arg(detail);
    case ENetStartError::Unresolved:
        return QCoreApplication::translate("TOnlineRace", "Der Name %1 lässt sich nicht auflösen.").arg(detail);
    case ENetStartError::NoConnection:
        return QCoreApplication::translate("TOnlineRace", "Keine Verbindung zu %1 möglich.").arg(detail);
    }
    return detail;
}

void TOnlineRace::NetStatusChanged(TNetStatus status)
{
    // The guest has come: the host dialog gives the keys back to the race window.
    if (FHostDialog && FStatus == TNetStatus::WaitingForGuest && status != TNetStatus::WaitingForGuest &&
        FHostDialog->isVisible()) {
        FHostDialog->hide();
        FForm.activateWindow();
    }
    FStatus = status;
    FRefusalNotice.stop();
    ShowStatus();
}

void TOnlineRace::NetWrongCodeRefused()
{
    std::fprintf(stderr, "%s\n", WrongCodeText().toLocal8Bit().constData());
    FForm.ShowNetStatus(WrongCodeText());
    FRefusalNotice.start();
}

void TOnlineRace::ShowStatus()
{
    FForm.ShowNetStatus(StatusText(FStatus, FInvitation, FAddress, FNet.Behind()));
}

void TOnlineRace::Refresh()
{
    if (FStatus == TNetStatus::Watching)
        ShowStatus();
    if (FHostDialog)
        FForm.ShowSpectators(SpectatorsText(FNet.Spectators()));
}

void TOnlineRace::FollowMapping()
{
    TPortMappingState mapping = FMapper->State();
    if (mapping == FInvitation.Mapping)
        return;
    FInvitation.Mapping = std::move(mapping);
    FHostDialog->SetInvitation(FInvitation);
    if (!FRefusalNotice.isActive())
        ShowStatus();
    PrintInvitation();
}

void TOnlineRace::PrintInvitation() const
{
    for (const QString& line : THostTexts::ConsoleLines(FInvitation))
        std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

bool TOnlineRace::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FForm.StatusBar1 && event->type() == QEvent::MouseButtonPress && FHostDialog) {
        FHostDialog->show();
        FHostDialog->raise();
        FHostDialog->activateWindow();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TOnlineRace::NetPausedChanged(bool paused)
{
    FForm.ShowPaused(paused);
}

void TOnlineRace::NetRaceEnded(const TNetEnd& end)
{
    // Told from within a tick or the link's service: the message box waits for the loop.
    const QString text = EndText(end, FAddress);
    const bool refused = end.Kind == TNetEnd::RaceFull || end.Kind == TNetEnd::EnoughSpectators || end.Kind == TNetEnd::OtherVersion ||
                         end.Kind == TNetEnd::NoAnswer || end.Kind == TNetEnd::WrongCode;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    // A spectator's race that goes on alone is this machine's to steer.
    FForm.SetWatching(false);
    QTimer::singleShot(0, &FForm, [this, text, refused] {
        FForm.Messages.ShowInformation("QuiboTrainer", text.toStdString());
        if (refused)
            QCoreApplication::exit(2);
    });
}
