#include "ui/MainForm.h"

#include "assets/Assets.h"
#include "simulation/FormComponents.h"
#include "simulation/Quibo.h"
#include "ui/ClassicFont.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <cmath>

namespace {

constexpr int ClientWidth = 1076;
constexpr int ClientHeight = 810;
constexpr int ToolbarHeight = 41;
constexpr int StatusBarHeight = 19;
constexpr int ButtonWidth = 74;
constexpr int ButtonHeight = 38;

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

} // namespace

QPixmap ProgramIcon()
{
    return QPixmap::fromImage(ImageFromAsset("icon/QuiboTrainer.ico"));
}

int VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_F3:
        return 114;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    default:
        // Letters and digits carry their upper-case character codes, as virtual keys do.
        if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
            return qtKey;
        return 0;
    }
}

TMainForm::TMainForm(IApplication& application, bool debug, QWidget* parent)
    : QWidget(parent),
      Messages(this),
      DXDraw1Window(new TQtPresentWindow(this)),
      DXDraw1(*DXDraw1Window),
      DXTimer1(Clock, application),
      Race({DXDraw1, DXSpriteEngine1, DXTimer1, DXImageList1, Clock}, debug)
{
    setObjectName("MainForm");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(ClassicFont());
    setAutoFillBackground(true);
    setWindowIcon(QIcon(ProgramIcon()));

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(0, 0, ClientWidth, ToolbarHeight);
    Shape1->setStyleSheet("background-color: silver; border: none;");

    SpeedButtonStart = AddButton("SpeedButtonStart", "Neustart (F3)", "glyphs/Start.bmp", 2);
    SpeedButtonSetup = AddButton("SpeedButtonSetup", "Einstellungen", "glyphs/Setup.bmp", 76);
    Bevel3 = new QFrame(this);
    Bevel3->setObjectName("Bevel3");
    Bevel3->setFrameShape(QFrame::VLine);
    Bevel3->setFrameShadow(QFrame::Sunken);
    Bevel3->setGeometry(226, 2, 2, 33);
    SpeedButtonEnde = AddButton("SpeedButtonEnde", "Ende", "glyphs/Ende.bmp", 232);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(ProgramIcon());
    Image1->setGeometry(1032, 5, 32, 32);
    SpeedButtonStop = AddButton("SpeedButtonStop", "Stop (Pause)", "glyphs/Stop.bmp", 150);
    SpeedButtonPlay = AddButton("SpeedButtonPlay", "Play (Pause)", "glyphs/Play.bmp", 150);
    SpeedButtonPlay->hide();
    BuildStatusBar();

    connect(SpeedButtonStart, &TSpeedButton::clicked, this, [this] { SpeedButtonStartClick(); });
    connect(SpeedButtonSetup, &TSpeedButton::clicked, this, [this] { SpeedButtonSetupClick(); });
    connect(SpeedButtonStop, &TSpeedButton::clicked, this, [this] { SpeedButtonStopClick(); });
    connect(SpeedButtonPlay, &TSpeedButton::clicked, this, [this] { SpeedButtonPlayClick(); });
    connect(SpeedButtonEnde, &TSpeedButton::clicked, this, [this] { SpeedButtonEndeClick(); });

    DXDraw1Window->setObjectName("DXDraw1");
    DXDraw1Window->setGeometry(0, ToolbarHeight, ClientWidth, ClientHeight - ToolbarHeight - StatusBarHeight);
    DXDraw1Window->SetMouseDownHandler([this](int32_t x, int32_t y, Qt::MouseButton) { DXDraw1MouseDown(x, y); });
    DXDraw1Window->SetBoundsChangedHandler([this] { DXDraw1.BoundsChanged(); });

    LoadFormComponents(Race, LoadMainImageList);

    FormCreate();
}

TMainForm::~TMainForm()
{
    // The drawing surface tells its listeners while everything they refer to still exists.
    DXDraw1.FormDestroyed();
}

TSpeedButton* TMainForm::AddButton(const char* name, const QString& caption, const char* glyph, int left)
{
    auto* button = new TSpeedButton(this);
    button->setObjectName(name);
    button->setText(caption);
    // The captions are laid out for a narrow face; a wider stand-in is narrowed to keep them apart.
    button->setFont(FittingFont(font(), {caption}, ButtonWidth - 4));
    button->SetGlyph(GlyphIcon(glyph));
    button->setGeometry(left, 0, ButtonWidth, ButtonHeight);
    return button;
}

void TMainForm::BuildStatusBar()
{
    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setGeometry(0, ClientHeight - StatusBarHeight, ClientWidth, StatusBarHeight);
    const struct {
        int left, width;
        const char* text;
    } panels[] = {
        {0, 540, "Steuerung des roten Quibo's: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord"},
        {540, ClientWidth - 540,
         "Steuerung des grünen Quibo's: [<-] ... Pinne nach Backbord, [->] ... Pinne nach Steuerbord"},
    };
    int index = 0;
    for (const auto& p : panels) {
        auto* panel = new QLabel(QString::fromUtf8(p.text), StatusBar1);
        panel->setObjectName(QString("Panel%1").arg(index++));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setGeometry(p.left, 0, p.width, StatusBarHeight);
    }
}

void TMainForm::FormCreate()
{
    setFocusPolicy(Qt::StrongFocus);
    Race.FormCreate();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
    DXDraw1.FormShown();
}

void TMainForm::FormShow()
{
    // The pointer goes to the top-left corner, out of the players' way.
    if (screen() != nullptr)
        QCursor::setPos(screen()->virtualGeometry().topLeft());

    // Qt already scales logical pixels to the screen; this adds what a screen of other logical density asks for.
    const int ppi = screen() != nullptr ? static_cast<int>(std::lround(screen()->logicalDotsPerInch())) : 96;
    if (ppi != 96) {
        const QSize outer = frameGeometry().size();
        const QSize chrome = outer - size();
        setFixedSize(outer.width() * ppi / 96 - chrome.width(), outer.height() * ppi / 96 - chrome.height());
    }
    setWindowTitle("QuiboTrainer v.1.0");
}

// No control of the window takes the keyboard focus, so the window sees every key first.
void TMainForm::keyPressEvent(QKeyEvent* event)
{
    // A held key repeats: the tiller is already over.
    if (event->isAutoRepeat() || !FormKeyDown(VirtualKeyOf(event->key())))
        QWidget::keyPressEvent(event);
}

void TMainForm::keyReleaseEvent(QKeyEvent* event)
{
    // Some desktops repeat a held key as release-and-press pairs; only the real release brings the tiller back.
    if (event->isAutoRepeat() || !FormKeyUp(VirtualKeyOf(event->key())))
        QWidget::keyReleaseEvent(event);
}

bool TMainForm::FormKeyDown(int key)
{
    switch (key) {
    case 27:
        close();
        return true;
    case 114:
        SpeedButtonStart->click();
        return true;
    case 19:
        if (!SpeedButtonPlay->isHidden())
            SpeedButtonPlay->click();
        else
            SpeedButtonStop->click();
        return true;
    case 39:
        Race.Dinghies[0]->Tiller = 2;
        return true;
    case 37:
        Race.Dinghies[0]->Tiller = 0;
        return true;
    case 88:
        Race.Dinghies[1]->Tiller = 2;
        return true;
    case 89:
        Race.Dinghies[1]->Tiller = 0;
        return true;
    default:
        return false;
    }
}

bool TMainForm::FormKeyUp(int key)
{
    if (key == 37 || key == 39) {
        Race.Dinghies[0]->Tiller = 1;
        return true;
    }
    if (key == 88 || key == 89) {
        Race.Dinghies[1]->Tiller = 1;
        return true;
    }
    return false;
}

void TMainForm::SpeedButtonStartClick()
{
    Race.SpeedButtonStartClick();
}

void TMainForm::SpeedButtonSetupClick()
{
    if (SetupForm == nullptr)
        return;
    SetupForm->RxSpinEditWGrad->SetValue(Race.WindBase);
    SetupForm->RxSpinEditWSpeed->SetValue(Race.WindSpeed);
    if (SetupForm->exec() != mrOk)
        return;
    const int32_t direction = static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWGrad->Value()));
    Race.WindBase = direction;
    Race.WindDirection = direction;
    Race.WindTarget = direction;
    Race.WindVariation = static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWAbw->Value()));
    Race.WindSpeed = static_cast<int32_t>(std::lrint(SetupForm->RxSpinEditWSpeed->Value()));
}

void TMainForm::SpeedButtonStopClick()
{
    DXTimer1.SetEnabled(false);
    SpeedButtonStop->hide();
    SpeedButtonPlay->show();
}

void TMainForm::SpeedButtonPlayClick()
{
    DXTimer1.SetEnabled(true);
    SpeedButtonStop->show();
    SpeedButtonPlay->hide();
}

void TMainForm::SpeedButtonEndeClick()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    DXTimer1.SetEnabled(false);
    event->accept();
    qApp->quit();
}

void TMainForm::DXDraw1MouseDown(int32_t x, int32_t y)
{
    if (!Race.Debug())
        return;
    DXTimer1.SetEnabled(false);
    const uint32_t value = DXDraw1.Surface() != nullptr ? DXDraw1.Surface()->ReadPixel(x, y) : 0;
    Messages.ShowInformation("Information", std::to_string(x) + ", " + std::to_string(y) + ": " +
                                                std::to_string(value));
    DXTimer1.SetEnabled(true);
}
