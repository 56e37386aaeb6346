#include "ui/MainForm.h"

#include "assets/Assets.h"
#include "input/KeyTable.h"
#include "platform/qt/VirtualKey.h"
#include "simulation/DemoLoop.h"
#include "ui/ClassicFont.h"
#include "ui/PadControl.h"
#include "ui/RegattaDialog.h"
#include "ui/RegattaOverlay.h"
#include "ui/RegattaTexts.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"
#include "ui/ToolbarMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// How long a window manager may take to frame the window.
constexpr qint64 FramingTime = 2000;

QImage ImageFromAsset(const char* name)
{
    const auto bytes = AssetBytes(name);
    QImage image;
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
    return image;
}

// A two-glyph strip, normal state left, disabled state right; each glyph's bottom-left pixel is transparent.
QIcon GlyphIcon(const char* name)
{
    const QImage strip = ImageFromAsset(name).convertToFormat(QImage::Format_ARGB32);
    QIcon icon;
    const int side = strip.height();
    for (int g = 0; g < 2 && (g + 1) * side <= strip.width(); ++g) {
        QImage glyph = strip.copy(g * side, 0, side, side);
        const QRgb transparent = glyph.pixel(0, side - 1);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (glyph.pixel(x, y) == transparent)
                    glyph.setPixel(x, y, qRgba(0, 0, 0, 0));
        icon.addPixmap(QPixmap::fromImage(glyph), g == 0 ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

// The drawing area at its place between the bars: the session's drawing surface takes its size from it.
TQtPresentWindow* DrawingArea(QWidget* form)
{
    auto* area = new TQtPresentWindow(form);
    area->setGeometry(TMainFormLayout().DrawingArea(TMainFormLayout::ClientSize));
    return area;
}

// Who steers each dinghy now.
THelms SteeringHelms(const TRaceSession& session)
{
    THelms helms{};
    for (size_t d = 0; d < helms.size(); ++d)
        if (const auto& helm = session.Race.Helms[d])
            helms[d] = helm->Skill();
    return helms;
}

// A helm that steers already keeps steering, with what it has in mind; a dinghy given back to its player has
// its tiller amidships, as with no key held.
void ApplyHelms(TRaceSession& session, IRaceCommands& commands, const THelms& helms)
{
    const THelms now = SteeringHelms(session);
    for (size_t d = 0; d < helms.size(); ++d) {
        if (helms[d] == now[d])
            continue;
        const auto player = static_cast<TPlayer>(d);
        session.SetHelm(player, helms[d]);
        if (!helms[d])
            commands.SetTiller(player, TTiller::Amidships);
    }
}

} // namespace

QPixmap ProgramIcon()
{
    return QPixmap::fromImage(ImageFromAsset("icon/QuiboTrainer.ico"));
}

TMainForm::TMainForm(IApplication& application, bool debug, QWidget* parent)
    : QWidget(parent),
      Messages(this),
      DXDraw1Window(DrawingArea(this)),
      Session(Clock, application, *DXDraw1Window, debug),
      FFullScreen(*this, *DXDraw1Window)
{
    setObjectName("MainForm");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(TMainFormLayout::ClientSize);
    setFont(ClassicFont());
    setAutoFillBackground(true);
    setWindowIcon(QIcon(ProgramIcon()));

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setStyleSheet("background-color: silver; border: none;");

    SpeedButtonStart = AddButton("SpeedButtonStart", tr("Neustart (F3)"), "glyphs/Start.bmp", 2);
    SpeedButtonSetup = AddButton("SpeedButtonSetup", tr("Einstellungen"), "glyphs/Setup.bmp", 76);
    Bevel3 = AddGroove("Bevel3");
    SpeedButtonEnde = AddButton("SpeedButtonEnde", tr("Ende"), "glyphs/Ende.bmp", 232);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(ProgramIcon());
    SpeedButtonStop = AddButton("SpeedButtonStop", tr("Stop (Pause)"), "glyphs/Stop.bmp", 150);
    SpeedButtonPlay = AddButton("SpeedButtonPlay", tr("Play (Pause)"), "glyphs/Play.bmp", 150);
    SpeedButtonPlay->hide();
    Bevel4 = AddGroove("Bevel4");
    SpeedButtonRegatta = AddButton("SpeedButtonRegatta", tr("Regatta"), "glyphs/Regatta.bmp", 316);
    BuildStatusBar();
    RegattaDialog = new TRegattaDialog(Messages, this);

    connect(SpeedButtonStart, &TSpeedButton::clicked, this, [this] { SpeedButtonStartClick(); });
    connect(SpeedButtonSetup, &TSpeedButton::clicked, this, [this] { SpeedButtonSetupClick(); });
    connect(SpeedButtonStop, &TSpeedButton::clicked, this, [this] { SpeedButtonStopClick(); });
    connect(SpeedButtonPlay, &TSpeedButton::clicked, this, [this] { SpeedButtonPlayClick(); });
    connect(SpeedButtonEnde, &TSpeedButton::clicked, this, [this] { SpeedButtonEndeClick(); });
    connect(SpeedButtonRegatta, &TSpeedButton::clicked, this, [this] { SpeedButtonRegattaClick(); });
    // The dialog takes the regatta over from the demo, which would otherwise wait for an end that never comes.
    connect(SpeedButtonRegatta, &TSpeedButton::pressed, this, [this] {
        if (DemoRunning())
            EndDemo();
    });

    DXDraw1Window->setObjectName("DXDraw1");
    ScaleControls(FLayout.PixelsPerInch());
    DXDraw1Window->SetMouseDownHandler([this](int32_t x, int32_t y, Qt::MouseButton button) {
        // In full screen the right button is the toolbar's.
        if (!(button == Qt::RightButton && FFullScreen.Active()))
            DXDraw1MouseDown(x, y);
    });
    DXDraw1Window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DXDraw1Window, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (FFullScreen.Active())
            ShowToolbarMenu(*this, {SpeedButtonStart, SpeedButtonSetup, SpeedButtonStop, SpeedButtonPlay,
                                    SpeedButtonEnde, SpeedButtonRegatta}, DXDraw1Window->mapToGlobal(at));
    });
    DXDraw1Window->SetBoundsChangedHandler([this] { Session.WindowResized(); });
    LocalCommands.OnPausedChanged = [this](bool paused) { ShowPaused(paused); };
    // The computer never steers online, so its tiller is this machine's alone.
    Session.SetHelmCommands(&LocalCommands);
    FSoundNotice.setSingleShot(true);
    FSoundNotice.setInterval(SoundNoticeTime);
    connect(&FSoundNotice, &QTimer::timeout, this, [this] { ShowNotice(); });
    FOverlay = std::make_unique<TRegattaOverlay>();
    DXDraw1Window->SetOverlay([this] { return PlaceOverlay(); }, [this](QPainter& painter) { FOverlay->Paint(painter); });

    FormCreate();
    Pads = std::make_unique<TPadControl>(*this, application, FPanels);
}

TMainForm::~TMainForm()
{
    // The drawing surface tells its listeners while the widget it presents into still exists.
    Session.Finalize();
    Session.SetHelmCommands(nullptr);
    DXDraw1Window->SetOverlay({}, {});
}

TSpeedButton* TMainForm::AddButton(const char* name, const QString& caption, const char* glyph, int left)
{
    auto* button = new TSpeedButton(this);
    button->setObjectName(name);
    button->setText(caption);
    // The captions are laid out for a narrow face; a wider stand-in is narrowed to keep them apart.
    button->SetGlyph(GlyphIcon(glyph));
    FButtons.push_back({button, left});
    return button;
}

QFrame* TMainForm::AddGroove(const char* name)
{
    auto* groove = new QFrame(this);
    groove->setObjectName(name);
    groove->setFrameShape(QFrame::VLine);
    groove->setFrameShadow(QFrame::Sunken);
    FGrooves.push_back(groove);
    return groove;
}

void TMainForm::BuildStatusBar()
{
    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName("StatusBar1");
    const char* texts[] = {
        QT_TR_NOOP("Steuerung des roten Quibo's: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord"),
        QT_TR_NOOP("Steuerung des grünen Quibo's: [<-] ... Pinne nach Backbord, [->] ... Pinne nach Steuerbord"),
    };
    for (size_t index = 0; index < FPanels.size(); ++index) {
        auto* panel = new QLabel(tr(texts[index]), StatusBar1);
        panel->setObjectName(QString("Panel%1").arg(index));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        FPanels[index] = panel;
    }
}

void TMainForm::AlignControls()
{
    if (FFullScreen.Align())
        return;
    const QSize window = size();
    Shape1->setGeometry(FLayout.Toolbar(window));
    for (const TPlacedButton& b : FButtons)
        b.Button->setGeometry(FLayout.Button(b.Left));
    for (size_t index = 0; index < FGrooves.size(); ++index)
        FGrooves[index]->setGeometry(FLayout.Groove(TMainFormLayout::GrooveLefts[index]));
    Image1->setGeometry(FLayout.Icon(window));
    StatusBar1->setGeometry(FLayout.StatusBar(window));
    const std::array<QRect, 2> panels = FLayout.Panels(window);
    for (size_t index = 0; index < FPanels.size(); ++index)
        FPanels[index]->setGeometry(panels[index]);
    DXDraw1Window->setGeometry(FLayout.DrawingArea(window));
}

void TMainForm::ScaleControls(int pixelsPerInch)
{
    FLayout.SetPixelsPerInch(pixelsPerInch);
    // The captions are laid out for a narrow face; a wider stand-in is narrowed to keep them apart.
    for (const TPlacedButton& b : FButtons)
        b.Button->setFont(FittingFont(font(), {b.Button->text()}, FLayout.CaptionWidth()));
    AlignControls();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    AlignControls();
}

// The session has created the race; the window takes the keyboard.
void TMainForm::FormCreate()
{
    setFocusPolicy(Qt::StrongFocus);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
    Session.Show();
}

void TMainForm::FormShow()
{
    // The pointer goes to the top-left corner, out of the players' way. Wayland lets no client move it (nor
    // place its window: the centring below is then the compositor's to ignore).
    if (screen() != nullptr && !QGuiApplication::platformName().startsWith("wayland"))
        QCursor::setPos(screen()->virtualGeometry().topLeft());

    // Qt already scales logical pixels to the screen; this adds what a screen of other logical density asks for.
    // Its text is measured in points and grows with the density, and so do the bars that carry it; the drawing
    // area takes what lies between them.
    const int ppi = screen() != nullptr ? static_cast<int>(std::lround(screen()->logicalDotsPerInch())) : 96;
    if (ppi != 96) {
        // The race keeps its 96-dpi frame, which fills the grown area: the course looks the same on every
        // screen, and no part of the area lies beyond what the race draws.
        DXDraw1Window->SetAreaMode(TQtPresentWindow::TAreaMode::Fill);
        ScaleControls(ppi);
        setFixedSize(TMainFormLayout::GrownSize(frameGeometry().size(), size(), ppi));
    }
    FShownAt.start();
    CentreOnPrimaryScreen();
    setWindowTitle("QuiboTrainer v.1.0");
}

void TMainForm::CentreOnPrimaryScreen()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr)
        return;
    // A window larger than the screen keeps its title bar on it.
    const QRect area = primary->availableGeometry();
    const QSize outer = frameGeometry().size();
    FCentredFrame = QRect(QPoint(std::max(area.left(), area.left() + (area.width() - outer.width()) / 2),
                                 std::max(area.top(), area.top() + (area.height() - outer.height()) / 2)),
                          outer);
    move(FCentredFrame.topLeft());
}

void TMainForm::CentreWhileFraming()
{
    // Window managers frame a new window in steps (border, then title bar), and the frame's size counts for
    // the centre: each new size while the window is being framed centres it again. Later the user may have
    // moved it.
    if (!FShownAt.isValid() || FShownAt.elapsed() > FramingTime || frameGeometry().size() == FCentredFrame.size()
        || FFullScreen.Active())
        return;
    CentreOnPrimaryScreen();
}

void TMainForm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    CentreWhileFraming();
}

void TMainForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FFullScreen.StateChanged();
}

void TMainForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    CentreWhileFraming();
}

// No control of the window takes the keyboard focus, so the window sees every key first.
void TMainForm::keyPressEvent(QKeyEvent* event)
{
    if (DemoRunning() && !event->isAutoRepeat()) {
        EndDemo();
        return;
    }
    if (event->key() == Qt::Key_F11 && !event->isAutoRepeat()) {
        FFullScreen.Toggle();
        return;
    }
    if (event->key() == Qt::Key_F5 && !event->isAutoRepeat()) {
        SpeedButtonRegatta->click();
        return;
    }
    // A held key repeats: the tiller is already over.
    if (event->isAutoRepeat() || !FormKeyDown(SteeringKeyOf(event->key(), event->nativeScanCode())))
        QWidget::keyPressEvent(event);
}

void TMainForm::keyReleaseEvent(QKeyEvent* event)
{
    // Some desktops repeat a held key as release-and-press pairs; only the real release brings the tiller back.
    if (event->isAutoRepeat() || !FormKeyUp(SteeringKeyOf(event->key(), event->nativeScanCode())))
        QWidget::keyReleaseEvent(event);
}

bool TMainForm::FormKeyDown(int key)
{
    const TKeyAction action = KeyDownAction(key);
    switch (action.Kind) {
    case TKeyAction::None:
        return false;
    case TKeyAction::Quit:
        close();
        break;
    case TKeyAction::Restart:
        SpeedButtonStart->click();
        break;
    case TKeyAction::PauseOrResume:
        if (!SpeedButtonPlay->isHidden())
            SpeedButtonPlay->click();
        else
            SpeedButtonStop->click();
        break;
    case TKeyAction::Steer:
        PlayerCommands().SetTiller(action.Player, action.Tiller);
        break;
    case TKeyAction::ToggleSound:
        ToggleSound();
        break;
    }
    return true;
}

bool TMainForm::FormKeyUp(int key)
{
    const TKeyAction action = KeyUpAction(key);
    if (action.Kind != TKeyAction::Steer)
        return false;
    PlayerCommands().SetTiller(action.Player, action.Tiller);
    return true;
}

void TMainForm::ShowNetStatus(const QString& text)
{
    FNetText = text;
    ShowNotice();
}

void TMainForm::ShowSpectators(const QString& text)
{
    FSpectatorText = text;
    ShowNotice();
}

void TMainForm::SetWatching(bool watching)
{
    for (TSpeedButton* button :
         {SpeedButtonStart, SpeedButtonSetup, SpeedButtonStop, SpeedButtonPlay, SpeedButtonRegatta})
        button->setEnabled(!watching);
}

void TMainForm::ToggleSound()
{
    FSound->SetMuted(!FSound->Muted());
    FSoundNotice.start();
    ShowNotice();
}

void TMainForm::ShowNotice()
{
    if (FPanelText.isNull())
        FPanelText = FPanels[1]->text();
    // The sound's notice for a moment, an online notice, the regatta's last report, the spectators, else the
    // usual text.
    QString text = FNetText.isEmpty() ? FRegattaText : FNetText;
    if (FSoundNotice.isActive())
        text = FSound->Muted() ? tr("Ton aus") : tr("Ton an");
    if (text.isEmpty())
        text = FSpectatorText.isEmpty() ? FPanelText : FSpectatorText;
    if (FPanels[1]->text() != text)
        FPanels[1]->setText(text);
}

QRect TMainForm::PlaceOverlay()
{
    TRaceEvent event;
    while (Session.Race.Events.Take(event)) {
        // Free sailing keeps its usual texts.
        if (Session.Regatta() != nullptr)
            if (const QString text = TRegattaTexts::EventText(event); !text.isEmpty())
                FRegattaText = text;
        if (OnRaceEvent)
            OnRaceEvent(event);
        if (FDemo)
            FDemo->Seen(event);
    }
    // The next regatta between ticks, not in the middle of the one presenting now.
    if (FDemo && FDemo->Due(Session.Race.ProcessedTicks()))
        QTimer::singleShot(0, this, [this] {
            if (FDemo)
                FDemo->Poll(Session.Race.ProcessedTicks());
        });
    if (Session.Regatta() == nullptr)
        FRegattaText.clear();
    ShowNotice();
    return FOverlay->Update(Session.Race);
}

void TMainForm::ShowPaused(bool paused)
{
    SpeedButtonStop->setVisible(!paused);
    SpeedButtonPlay->setVisible(paused);
}

void TMainForm::SpeedButtonStartClick()
{
    Commands().Restart();
}

void TMainForm::SpeedButtonSetupClick()
{
    if (SetupForm == nullptr)
        return;
    const TWindSettings wind = Session.WindSettings();
    SetupForm->RxSpinEditWGrad->SetValue(wind.Direction);
    SetupForm->RxSpinEditWSpeed->SetValue(wind.Speed);
    if (SetupForm->exec() != mrOk)
        return;
    const TWindSettings chosen{static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWGrad->Value())),
                               static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWAbw->Value())),
                               static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWSpeed->Value()))};
    Commands().ApplyWindSettings(chosen);
}

// The buttons follow when the pause takes effect: online, after the same tick on both machines.
void TMainForm::SpeedButtonStopClick()
{
    Commands().Pause();
}

void TMainForm::SpeedButtonPlayClick()
{
    Commands().Resume();
}

void TMainForm::SpeedButtonEndeClick()
{
    close();
}

void TMainForm::SpeedButtonRegattaClick()
{
    const int result = RegattaDialog->Open(SteeringHelms(Session), !FOnline);
    if (result != mrOk && result != mrLeave)
        return;
    ApplyHelms(Session, Commands(), RegattaDialog->Helms());
    if (result == mrOk)
        Commands().StartRegatta(RegattaDialog->Settings());
    else if (Session.Regatta() != nullptr)
        Commands().LeaveRegatta();
    // Paused, no frame comes to show the change.
    DXDraw1Window->UpdateOverlay();
}

void TMainForm::EnterOnlineRace()
{
    FOnline = true;
    ApplyHelms(Session, Commands(), THelms{});
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    Session.Pause();
    event->accept();
    qApp->quit();
}

void TMainForm::StartDemo()
{
    FDemo = std::make_unique<TDemoLoop>(Session, Commands(), Clock.MillisecondsOfDay());
    FDemo->Begin();
    FDemoPanelText = FPanels[0]->text();
    FPanels[0]->setText(tr("Demo – eine Taste beendet sie"));
}

void TMainForm::EndDemo()
{
    FDemo->End();
    FDemo.reset();
    FPanels[0]->setText(FDemoPanelText);
}

void TMainForm::DXDraw1MouseDown(int32_t x, int32_t y)
{
    if (DemoRunning()) {
        EndDemo();
        return;
    }
    if (!Session.Debug())
        return;
    // The message box is modal: the race stands still while it shows.
    Session.Pause();
    const uint32_t value = Session.PixelAt(x, y);
    Messages.ShowInformation(tr("Information").toStdString(), std::to_string(x) + ", " + std::to_string(y) + ": " +
                                                std::to_string(value));
    Session.Resume();
}
