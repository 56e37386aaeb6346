#pragma once
#include "platform/sdl/GamePads.h"
#include "input/PadSteering.h"

#include <QString>
#include <QTimer>

#include <array>

class IApplication;
class QLabel;
class TMainForm;

// The game controllers at the main window: read from a timer on the GUI thread while the program is active,
// they steer, pause and restart as the keys do, and a pad plugged in or out is told in the status bar panel of
// its dinghy for a few seconds.
class TPadControl : public IPadActions {
public:
    // How long a pad's notice stands in the status bar.
    static constexpr int NoticeTime = 4000;
    // How often the pads are read: well within one frame.
    static constexpr int PollInterval = 8;
    // How often SDL is asked for a pad while none is plugged in: soon enough for a player, and a paused game
    // without pads stays asleep.
    static constexpr int PlugInterval = 100;

    // The window and the application must outlive the control. panels are the status bar's: the red
    // dinghy's on the left, the green one's on the right.
    TPadControl(TMainForm& form, IApplication& application, std::array<QLabel*, 2> panels);
    ~TPadControl() override;

    // The window's commands for the players (online, those of the race on both machines).
    IRaceCommands& Commands() override;
    void PadTaken(TPlayer player) override;
    void PadDropped(TPlayer player) override;

    TPadSteering Steering;
    TGamePads Pads;

private:
    struct TNotice {
        QLabel* Panel = nullptr;
        QTimer Timer;
        // What the panel showed before the notice.
        QString Text;
    };
    void Tell(TPlayer player, const QString& text);
    void Activated(bool active);
    void Poll();

    TMainForm& FForm;
    IApplication& FApplication;
    int FActivationHook = 0;
    QTimer FPoll;
    // By panel: red left, green right.
    std::array<TNotice, 2> FNotices;
};
