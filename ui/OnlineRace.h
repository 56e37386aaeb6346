#pragma once
#include "network/EnetLink.h"
#include "network/NetRace.h"
#include "network/PortMapping.h"
#include "ui/HostInvitation.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class IApplication;
class THostDialog;
class TMainForm;

// An online race in the main window: the network race, serviced every few milliseconds on the GUI thread,
// with what it tells the player put into the window's words. A host asks the router for a port mapping (kept
// as long as the race is) and shows what to give its friend in the host dialog, the status bar and on
// standard output, and how many watch in the status bar. A spectator's window steers nothing and tells how far
// behind the host's race it is.
class TOnlineRace : public QObject, public INetRaceListener {
public:
    // address names the other machine for the messages (empty for the host). The race keeps the window's
    // clock, the one its frame timer reads. askRouter: the host asks for a port mapping, unless its race is
    // open (a LAN party needs none, and an open race is not put on the internet unasked).
    TOnlineRace(TMainForm& form, IApplication& application, std::unique_ptr<INetLink> link, bool host,
                const QString& address, TNetRace::TOptions options, bool askRouter = false);
    ~TOnlineRace() override;

    TNetRace& Net() { return FNet; }

    void NetStatusChanged(TNetStatus status) override;
    void NetPausedChanged(bool paused) override;
    void NetRaceEnded(const TNetEnd& end) override;
    void NetWrongCodeRefused() override;

    // The host's dialog, which a click on the status bar shows again; none when joining.
    THostDialog* HostDialog() const { return FHostDialog; }
    // How long the notice of a refused code stands in the status bar.
    static constexpr int RefusalNoticeTime = 5000;

    // The text of a start-up error, for the message box and standard error.
    static QString StartErrorText(const ENetStartError& error);
    // The text for a record file that cannot be written.
    static QString RecordErrorText(const std::string& path);
    // The text of what ended an online race.
    static QString EndText(const TNetEnd& end, const QString& address);
    // The status bar's notice; empty for the window's usual texts. The host's invitation names what to give
    // the friend while the race waits; behind is how many ticks a spectator's race is behind the host's.
    static QString StatusText(TNetStatus status, const THostInvitation& invitation, const QString& address,
                              int64_t behind = 0);
    // The host's note of how many watch; empty for none.
    static QString SpectatorsText(size_t spectators);
    // How often the spectator's lag and the host's spectators are read again.
    static constexpr int RefreshMilliseconds = 250;
    // The host's notice that it turned a joiner with a wrong code away.
    static QString WrongCodeText();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The router's answer, when it changed: to the dialog, the status bar and standard output.
    void FollowMapping();
    void ShowStatus();
    // What changes without a word from the race: the spectator's lag, the host's spectators.
    void Refresh();
    void PrintInvitation() const;

    TMainForm& FForm;
    QString FAddress;
    THostInvitation FInvitation;
    TNetStatus FStatus = TNetStatus::None;
    // Asks the router on its own thread; read by polling, since that thread must not touch Qt.
    std::unique_ptr<TPortMapper> FMapper;
    QTimer FMappingPoll;
    THostDialog* FHostDialog = nullptr;
    QTimer FRefusalNotice;
    TNetRace FNet;
    QTimer FService;
    QTimer FRefresh;
};
