#include "ui/OnlineRace.h"

#include "ui/MainForm.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

// Often enough that a record waits at most a fraction of a frame to go out.
constexpr int ServiceIntervalMilliseconds = 4;

QString Tr(const char* text)
{
    return QCoreApplication::translate("TOnlineRace", text);
}

} // namespace

TOnlineRace::TOnlineRace(TMainForm& form, IApplication& application, TEnetLink link, bool host,
                         const QString& address, TNetRace::TOptions options)
    : FForm(form), FAddress(address), FPort(link.Port()),
      FNet(form.Session, application, std::move(link), host, std::move(options), *this)
{
    form.SetNetRace(&FNet);
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
        return Tr("Warte auf den zweiten Spieler (UDP-Port %1) ...").arg(port);
    case TNetStatus::Connecting:
        return Tr("Verbinde mit %1 ...").arg(address);
    case TNetStatus::WaitingForPeer:
        return Tr("Warte auf den anderen Rechner ...");
    case TNetStatus::PeerInactive:
        return Tr("Pause: das Fenster des anderen Spielers ist nicht aktiv");
    }
    return {};
}

QString TOnlineRace::EndText(const TNetEnd& end, const QString& address)
{
    switch (end.Kind) {
    case TNetEnd::PeerLeft:
        return Tr("Der andere Spieler hat das Rennen verlassen. Das Rennen geht auf diesem Rechner weiter.");
    case TNetEnd::PeerLost:
        return Tr("Vom anderen Rechner kommt seit 5 Sekunden nichts mehr. Das Rennen geht auf diesem Rechner weiter.");
    case TNetEnd::Desync:
        return Tr("Das Rennen ist auf beiden Rechnern nach Takt %1 nicht mehr gleich und wurde angehalten.")
            .arg(end.Tick);
    case TNetEnd::RaceFull:
        return Tr("race full: Im Rennen auf %1 fahren schon zwei Spieler.").arg(address);
    case TNetEnd::OtherVersion:
        return Tr("Der Gastgeber hat QuiboTrainer %1, dieser Rechner QuiboTrainer %2: beide brauchen dieselbe Version.")
            .arg(QString::fromStdString(end.HostVersion), QString::fromStdString(end.GuestVersion));
    case TNetEnd::NoAnswer:
        return Tr("Keine Antwort von %1.").arg(address);
    }
    return {};
}

QString TOnlineRace::StartErrorText(const ENetStartError& error)
{
    const QString detail = QString::fromStdString(error.Detail);
    switch (error.Kind) {
    case ENetStartError::BadPort:
        return Tr("Ungültiger Port: %1").arg(detail);
    case ENetStartError::BadAddress:
        return Tr("Ungültige Adresse: %1").arg(detail);
    case ENetStartError::PortUnavailable:
        return Tr("Der UDP-Port %1 lässt sich nicht öffnen.").arg(detail);
    case ENetStartError::Unresolved:
        return Tr("Der Name %1 lässt sich nicht auflösen.").arg(detail);
    case ENetStartError::NoConnection:
        return Tr("Keine Verbindung zu %1 möglich.").arg(detail);
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
