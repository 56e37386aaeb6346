#pragma once
#include "platform/SoundPlayer.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPresentWindow.h"
#include "simulation/RaceSession.h"
#include "simulation/SessionCommands.h"
#include "simulation/regatta/RaceEvent.h"
#include "ui/FullScreenLayout.h"
#include "ui/MainFormLayout.h"
#include "ui/PlayerCommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>


class IApplication;
class QFrame;
class QLabel;
class TSpeedButton;
class TSetupForm;
class TPadControl;
class TDemoLoop;
class TRegattaDialog;
class TRegattaOverlay;

// The program's one window: toolbar, drawing area and status bar. It turns keys, buttons and the dialog into
// race commands; the session holds the scene's components and the race.
class TMainForm : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TMainForm)

public:
    // The application must outlive the window. debug switches on the collision outlines and the pixel probe.
    TMainForm(IApplication& application, bool debug, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The wind settings dialog, created after the window and kept for the whole run.
    void SetSetupForm(TSetupForm* setupForm) { SetupForm = setupForm; }

    // Where the keys, buttons, pads and the dialog send their commands from now on (an online race sends them
    // to both machines); the session's own commands until then. The commands must outlive the window.
    void SetCommands(IRaceCommands& commands) { FCommands = &commands; }
    IRaceCommands& Commands() { return *FCommands; }
    // The players' keys and pads speak to these: the window's commands, with each tiller going to the dinghy
    // the players steer while the computer steers one or both.
    IRaceCommands& PlayerCommands() { return FPlayerCommands; }
    // An online race runs from now on: the dinghies go back to the players, and the regatta dialog offers no
    // computer.
    void EnterOnlineRace();
    // A spectator's window: the buttons that would change the race (restart, settings, pause, regatta) are
    // off, and with them F3, F5 and the pause key; Esc and Ende still leave.
    void SetWatching(bool watching);
    // A notice of the online race in the status bar; empty brings the usual texts back.
    void ShowNetStatus(const QString& text);
    // The host's note of its spectators, standing beneath the regatta's reports; empty for none.
    void ShowSpectators(const QString& text);
    // The toolbar's pause and play buttons as the race stands.
    void ShowPaused(bool paused);

    // How long "Ton aus" or "Ton an" stands in the status bar after M.
    static constexpr int SoundNoticeTime = 3000;
    // Where the signals go, muted and unmuted by M; a silent player until then. It must outlive the window.
    void SetSoundPlayer(ISoundPlayer& player) { FSound = &player; }
    ISoundPlayer& SoundPlayer() { return *FSound; }
    // Told of every event the window takes from the race, once per presented frame, in order.
    std::function<void(const TRaceEvent&)> OnRaceEvent;

    // The demo: the computer races both dinghies, regatta after regatta, until a key or a click on the water
    // gives them back to the players in free sailing.
    void StartDemo();
    bool DemoRunning() const { return FDemo != nullptr; }

    // Keys are virtual-key codes; true when the key was one of the window's.
    bool FormKeyDown(int key);
    bool FormKeyUp(int key);

    void SpeedButtonStartClick();
    void SpeedButtonSetupClick();
    void SpeedButtonStopClick();
    void SpeedButtonPlayClick();
    void SpeedButtonEndeClick();
    // The regatta dialog (also F5): who steers each dinghy, then a regatta started or free sailing.
    void SpeedButtonRegattaClick();
    void DXDraw1MouseDown(int32_t x, int32_t y);

    QFrame* Shape1;
    TSpeedButton* SpeedButtonStart;
    TSpeedButton* SpeedButtonSetup;
    QFrame* Bevel3;
    TSpeedButton* SpeedButtonEnde;
    QLabel* Image1;
    TSpeedButton* SpeedButtonStop;
    TSpeedButton* SpeedButtonPlay;
    QFrame* Bevel4;
    TSpeedButton* SpeedButtonRegatta;
    QWidget* StatusBar1;

    TQtClock Clock;
    TQtMessageBox Messages;
    // The drawing area's widget, which the session's drawing surface presents into.
    TQtPresentWindow* DXDraw1Window;
    TRaceSession Session;
    // The commands of the race on this machine alone.
    TSessionCommands LocalCommands{Session};
    TSetupForm* SetupForm = nullptr;
    TRegattaDialog* RegattaDialog;
    // The game controllers, beside the keys.
    std::unique_ptr<TPadControl> Pads;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    TSpeedButton* AddButton(const char* name, const QString& caption, const char* glyph, int left);
    void BuildStatusBar();
    QFrame* AddGroove(const char* name);
    // Takes the race's events (to the status bar and OnRaceEvent) and brings the overlay up to date; the frame
    // rectangle the overlay covers now.
    QRect PlaceOverlay();
    // Toolbar at the top, status bar at the bottom, the drawing area between them, for the current size.
    void AlignControls();
    // The toolbar's and status bar's contents for a screen of that many pixels per inch.
    void ScaleControls(int pixelsPerInch);
    void CentreOnPrimaryScreen();
    void CentreWhileFraming();
    void ToggleSound();
    // The status bar's wide panel: the sound's notice while it stands, else the online race's, else the
    // regatta's last report, else the spectators, else the usual.
    void ShowNotice();
    void EndDemo();

    struct TPlacedButton {
        TSpeedButton* Button;
        int Left;
    };
    std::vector<TPlacedButton> FButtons;
    TFullScreenLayout FFullScreen;
    std::array<QLabel*, 2> FPanels{};
    QString FPanelText;
    QString FNetText;
    QString FRegattaText;
    QString FSpectatorText;
    std::vector<QFrame*> FGrooves;
    std::unique_ptr<TRegattaOverlay> FOverlay;
    TSilentSoundPlayer FSilence;
    ISoundPlayer* FSound = &FSilence;
    QTimer FSoundNotice;
    IRaceCommands* FCommands = &LocalCommands;
    TPlayerCommands FPlayerCommands{*this};
    bool FOnline = false;
    TMainFormLayout FLayout;
    std::unique_ptr<TDemoLoop> FDemo;
    // The red player's keys, which the demo's notice stands in for.
    QString FDemoPanelText;
    bool FShown = false;
    QElapsedTimer FShownAt;
    // Where the frame was last put.
    QRect FCentredFrame;
};

// The program icon, from the embedded pictures.
QPixmap ProgramIcon();
