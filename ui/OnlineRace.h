#pragma once
#include "network/EnetLink.h"
#include "network/NetRace.h"

#include <QObject>
#include <QString>
#include <QTimer>

class IApplication;
class TMainForm;

// An online race in the main window: the network race, serviced every few milliseconds on the GUI thread,
// with what it tells the player put into the window's words.
class TOnlineRace : public QObject, public INetRaceListener {
public:
    // address names the other machine for the messages (empty for the host). The race keeps the window's
    // clock, the one its frame timer reads.
    TOnlineRace(TMainForm& form, IApplication& application, std::unique_ptr<INetLink> link, bool host,
                const QString& address, TNetRace::TOptions options);

    TNetRace& Net() { return FNet; }

    void NetStatusChanged(TNetStatus status) override;
    void NetPausedChanged(bool paused) override;
    void NetRaceEnded(const TNetEnd& end) override;

    // The text of a start-up error, for the message box and standard error.
    static QString StartErrorText(const ENetStartError& error);
    // The text for a record file that cannot be written.
    static QString RecordErrorText(const std::string& path);
    // The text of what ended an online race.
    static QString EndText(const TNetEnd& end, const QString& address);
    // The status bar's notice; empty for the window's usual texts.
    static QString StatusText(TNetStatus status, uint16_t port, const QString& address);

private:
    TMainForm& FForm;
    QString FAddress;
    uint16_t FPort;
    TNetRace FNet;
    QTimer FService;
};
