#include "ui/OnlineRace.h"

#include "ui/MainForm.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

// Often enough that a record waits at most a fraction of a frame to go out.
constexpr int ServiceIntervalMilliseconds = 4;

} // namespace

TOnlineRace::TOnlineRace(TMainForm& form, IApplication& application, std::unique_ptr<INetLink> link, bool host,
                         const QString& address, TNetRace::TOptions options)
    : FForm(form), FAddress(address), FPort(link->Port()),
      FNet(form.Session, application, form.Clock, std::move(link), host, std::move(options), *this)
{
    form.SetCommands(FNet);
    form.EnterOnlineRace();
    // Whichever way the program ends (Esc, the window closed, a signal), the other machine is told at once.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { FNet.Leave(); });
    FService.setTimerType(Qt::PreciseTimer);
    connect(&FService, &QTimer::timeout, this, [this] { FNet.Service(); });
    FService.start(ServiceIntervalMilliseconds);
}

QString TOnlineRace::StatusText(TNetStatus status, uint16_t port, const QString& address)
{
    switch (status) {
    case TNetStatus::None:
        return {};
    case TNetStatus::WaitingForGuest:
        return QCoreApplication::translate("TOnlineRace", "Warte auf den zweiten Spieler (UDP-Port %1) ...").arg(port);
    case TNetStatus::Connecting:
        return QCoreApplication::translate("TOnlineRace", "Verbinde mit %1 ...").arg(address);
    case TNetStatus::WaitingForPeer:
        return QCoreApplication::translate("TOnlineRace", "Warte auf den anderen Rechner ...");
    case TNetStatus::PeerInactive:
        return QCoreApplication::translate("TOnlineRace", "Pause: das Fenster des anderen Spielers ist nicht aktiv");
    }
    return {};
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
        return QCoreApplication::translate("TOnlineRace", "Keine Antwort von %1.").arg(address);
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
    FForm.ShowNetStatus(StatusText(status, FPort, FAddress));
}

void TOnlineRace::NetPausedChanged(bool paused)
{
    FForm.ShowPaused(paused);
}

void TOnlineRace::NetRaceEnded(const TNetEnd& end)
{
    // Told from within a tick or the link's service: the message box waits for the loop.
    const QString text = EndText(end, FAddress);
    const bool refused = end.Kind == TNetEnd::RaceFull || end.Kind == TNetEnd::OtherVersion || end.Kind == TNetEnd::NoAnswer;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    QTimer::singleShot(0, &FForm, [this, text, refused] {
        FForm.Messages.ShowInformation("QuiboTrainer", text.toStdString());
        if (refused)
            QCoreApplication::exit(2);
    });
}
