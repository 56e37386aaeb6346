#include "platform/HeadlessApplication.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainFormTest : public ::testing::Test {
protected:
    explicit MainFormTest(bool debug = false)
        : Form(std::make_unique<TMainForm>(Application, debug)),
          Setup(std::make_unique<TSetupForm>(Form->Clock, Form->Messages, Form.get()))
    {
        Form->SetSetupForm(Setup.get());
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
    }
    ~MainFormTest() override
    {
        Setup.reset();
        Form.reset();
    }

    TQuibo& Green() { return *Form->Session.Race.Dinghies[0]; }
    TQuibo& Red() { return *Form->Session.Race.Dinghies[1]; }
    void Press(Qt::Key key) { QTest::keyPress(Form.get(), key); }
    void Release(Qt::Key key) { QTest::keyRelease(Form.get(), key); }
    void AutoRepeat(Qt::Key key)
    {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(Form.get(), &release);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(Form.get(), &press);
    }
    bool Paused() const { return !Form->Session.DXTimer1.Enabled(); }

    THeadlessApplication Application;
    std::unique_ptr<TMainForm> Form;
    std::unique_ptr<TSetupForm> Setup;
};

} // namespace

TEST_F(MainFormTest, LayoutCaptionsAndTexts)
{
    EXPECT_EQ(Form->windowTitle(), "QuiboTrainer v.1.0");
    EXPECT_EQ(Form->size(), QSize(1076, 810));
    EXPECT_EQ(Form->DXDraw1Window->geometry(), QRect(0, 41, 1076, 750));
    EXPECT_EQ(Form->Session.DXDraw1.Surface()->Width(), 1076);
    EXPECT_EQ(Form->Session.DXDraw1.Surface()->Height(), 750);
    const struct {
        TSpeedButton* button;
        const char* caption;
        int left;
    } buttons[] = {{Form->SpeedButtonStart, "Neustart (F3)", 2}, {Form->SpeedButtonSetup, "Einstellungen", 76},
                   {Form->SpeedButtonStop, "Stop (Pause)", 150},  {Form->SpeedButtonPlay, "Play (Pause)", 150},
                   {Form->SpeedButtonEnde, "Ende", 232}, {Form->SpeedButtonRegatta, "Regatta", 316}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->text(), b.caption);
        EXPECT_EQ(b.button->geometry(), QRect(b.left, 0, 74, 38)) << b.caption;
        EXPECT_FALSE(b.button->Glyph().isNull()) << b.caption;
    }
    EXPECT_TRUE(Form->SpeedButtonStop->isVisible());
    EXPECT_FALSE(Form->SpeedButtonPlay->isVisible());
    const auto panels = Form->StatusBar1->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 2);
    EXPECT_EQ(panels[0]->text(),
              "Steuerung des roten Quibo's: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord");
    EXPECT_EQ(panels[1]->text(), QString::fromUtf8("Steuerung des grünen Quibo's: [<-] ... Pinne nach Backbord, "
                                                   "[->] ... Pinne nach Steuerbord"));
    EXPECT_EQ(panels[0]->width(), 540);
    EXPECT_EQ(panels[1]->geometry().right(), 1075);
    EXPECT_FALSE(Form->Image1->pixmap().isNull());
    // The drawing surface's initialisation switched the frame timer on.
    EXPECT_TRUE(Form->Session.DXTimer1.Enabled());
}

TEST_F(MainFormTest, SteeringKeysSetAndReleaseTheTillers)
{
    const struct {
        Qt::Key key;
        bool green;
        int32_t tiller;
    } keys[] = {{Qt::Key_Left, true, 0}, {Qt::Key_Right, true, 2}, {Qt::Key_Y, false, 0}, {Qt::Key_X, false, 2}};
    for (const auto& k : keys) {
        TQuibo& steered = k.green ? Green() : Red();
        TQuibo& other = k.green ? Red() : Green();
        Press(k.key);
        EXPECT_EQ(steered.Tiller, k.tiller);
        EXPECT_EQ(other.Tiller, 1);
        // A held key repeats as release-and-press pairs on some desktops: the tiller stays over.
        AutoRepeat(k.key);
        EXPECT_EQ(steered.Tiller, k.tiller);
        Release(k.key);
        EXPECT_EQ(steered.Tiller, 1);
    }
}

TEST_F(MainFormTest, ReleasingEitherKeyCentresTheTillerEvenWithTheOtherHeld)
{
    Press(Qt::Key_Left);
    Press(Qt::Key_Right);
    EXPECT_EQ(Green().Tiller, 2);
    Release(Qt::Key_Left);
    EXPECT_EQ(Green().Tiller, 1);
    Press(Qt::Key_Y);
    Press(Qt::Key_X);
    Release(Qt::Key_X);
    EXPECT_EQ(Red().Tiller, 1);
}

TEST_F(MainFormTest, OtherKeysChangeNothing)
{
    for (Qt::Key key : {Qt::Key_Z, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_F2}) {
        Press(key);
        Release(key);
    }
    EXPECT_EQ(Green().Tiller, 1);
    EXPECT_EQ(Red().Tiller, 1);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(MainFormTest, PauseTogglesByKeyAndByButton)
{
    Press(Qt::Key_Pause);
    EXPECT_TRUE(Paused());
    EXPECT_TRUE(Form->SpeedButtonPlay->isVisible());
    EXPECT_FALSE(Form->SpeedButtonStop->isVisible());
    Press(Qt::Key_Pause);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Form->SpeedButtonStop->isVisible());

    QTest::mouseClick(Form->SpeedButtonStop, Qt::LeftButton);
    EXPECT_TRUE(Paused());
    EXPECT_FALSE(Form->SpeedButtonStop->isVisible());
    QTest::mouseClick(Form->SpeedButtonPlay, Qt::LeftButton);
    EXPECT_FALSE(Paused());
    EXPECT_FALSE(Form->SpeedButtonPlay->isVisible());
}

TEST_F(MainFormTest, RestartWhilePausedStaysPaused)
{
    Press(Qt::Key_Pause);
    Green().X = 100;
    Green().Heading = 90;
    Press(Qt::Key_F3);
    EXPECT_DOUBLE_EQ(Green().X, 628);
    EXPECT_EQ(Green().Heading, 360);
    EXPECT_TRUE(Paused());
    EXPECT_TRUE(Form->SpeedButtonPlay->isVisible());

    Green().X = 100;
    QTest::mouseClick(Form->SpeedButtonStart, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(Green().X, 628);
}

TEST_F(MainFormTest, EscAndEndeCloseAtOnce)
{
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    Form->show();
    QTest::mouseClick(Form->SpeedButtonEnde, Qt::LeftButton);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(MainFormTest, SettingsOkAppliesTheWind)
{
    Form->Session.Race.WindBase = 200;
    Form->Session.Race.WindSpeed = 12;
    WhenDialogShows(*Setup, [this] {
        // The caller loaded direction and speed; the deviation shows its own last value.
        EXPECT_EQ(Setup->RxSpinEditWGrad->Value(), 200);
        EXPECT_EQ(Setup->RxSpinEditWSpeed->Value(), 12);
        Setup->RxSpinEditWGrad->SetValue(90);
        Setup->RxSpinEditWAbw->SetValue(20);
        Setup->RxSpinEditWSpeed->SetValue(25);
        Setup->ButtonFertig->click();
    });
    QTest::mouseClick(Form->SpeedButtonSetup, Qt::LeftButton);
    EXPECT_EQ(Form->Session.Race.WindBase, 90);
    EXPECT_EQ(Form->Session.Race.WindDirection, 90);
    EXPECT_EQ(Form->Session.Race.WindTarget, 90);
    EXPECT_EQ(Form->Session.Race.WindVariation, 20);
    EXPECT_EQ(Form->Session.Race.WindSpeed, 25);
}

TEST_F(MainFormTest, SettingsCancelAppliesNothingButKeepsTheDeviationText)
{
    WhenDialogShows(*Setup, [this] {
        Setup->RxSpinEditWGrad->SetValue(90);
        Setup->RxSpinEditWAbw->SetValue(33);
        Setup->reject();
    });
    Form->SpeedButtonSetupClick();
    EXPECT_EQ(Form->Session.Race.WindBase, 360);
    EXPECT_EQ(Form->Session.Race.WindVariation, 5);

    // The next opening reloads direction and speed but not the deviation, and OK then applies it.
    WhenDialogShows(*Setup, [this] {
        EXPECT_EQ(Setup->RxSpinEditWGrad->Value(), 360);
        EXPECT_EQ(Setup->RxSpinEditWAbw->Value(), 33);
        Setup->ButtonFertig->click();
    });
    Form->SpeedButtonSetupClick();
    EXPECT_EQ(Form->Session.Race.WindVariation, 33);
    EXPECT_EQ(Form->Session.Race.WindBase, 360);
}

TEST_F(MainFormTest, RandomDirectionAppliedOnOk)
{
    WhenDialogShows(*Setup, [this] {
        Setup->CheckBoxWRandom->setChecked(true);
        Setup->ButtonFertig->click();
    });
    Form->SpeedButtonSetupClick();
    EXPECT_GE(Form->Session.Race.WindBase, 1);
    EXPECT_LE(Form->Session.Race.WindBase, 359);
    EXPECT_EQ(Form->Session.Race.WindDirection, Form->Session.Race.WindBase);
}

TEST_F(MainFormTest, ProbeDoesNothingWithoutDebug)
{
    Form->DXDraw1MouseDown(10, 10);
    EXPECT_TRUE(Form->Session.DXTimer1.Enabled());
}

class DebugMainFormTest : public MainFormTest {
protected:
    DebugMainFormTest() : MainFormTest(true) {}
};

TEST_F(DebugMainFormTest, ProbeShowsThePixelValueAndRestartsTheTimer)
{
    Press(Qt::Key_Pause);
    // The first frame drawn by hand: the green hull at (628, 664.5), stern point on row 664.
    Form->Session.Race.DXTimer1Timer(1);
    QString text;
    bool timerOffWhileShown = false;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
                text = box->text();
                timerOffWhileShown = !Form->Session.DXTimer1.Enabled();
                box->accept();
            }
    });
    QTest::mouseClick(Form->DXDraw1Window, Qt::LeftButton, Qt::NoModifier, QPoint(620, 640));
    EXPECT_EQ(text, "620, 640: 32896");
    EXPECT_TRUE(timerOffWhileShown);
    // The timer runs again, while "Play (Pause)" stays; the next Pause press resumes properly.
    EXPECT_TRUE(Form->Session.DXTimer1.Enabled());
    EXPECT_TRUE(Form->SpeedButtonPlay->isVisible());
    Press(Qt::Key_Pause);
    EXPECT_TRUE(Form->Session.DXTimer1.Enabled());
    EXPECT_TRUE(Form->SpeedButtonStop->isVisible());
}

namespace {

// What a right-button press on the drawing area brought up: the menu's entries (none without a menu) and
// whether the pixel probe's box came too. The entry named choice is chosen, if there is one.
struct TRightClick {
    QString Entries; // joined by "|"
    bool Probed = false;
};

TRightClick RightClick(TMainForm& form, const QString& choice)
{
    TRightClick seen;
    auto* timer = new QTimer(&form);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &form, [&seen, choice] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
                seen.Probed = true;
                box->accept();
            }
            if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && menu->isVisible()) {
                QStringList entries;
                for (QAction* action : menu->actions())
                    entries << action->text();
                seen.Entries = entries.join('|');
                QAction* chosen = nullptr;
                for (QAction* action : menu->actions())
                    if (action->text() == choice)
                        chosen = action;
                if (chosen != nullptr) {
                    menu->setActiveAction(chosen);
                    QTest::keyClick(menu, Qt::Key_Return);
                } else {
                    menu->close();
                }
            }
        }
    });
    timer->start();
    // The press as the window sees it, then the context menu request the window system makes of it.
    const QPoint at(620, 640);
    QTest::mouseClick(form.DXDraw1Window, Qt::RightButton, Qt::NoModifier, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, form.DXDraw1Window->mapToGlobal(at));
    QApplication::sendEvent(form.DXDraw1Window, &request);
    // A menu or box still to come shows within a few ticks of the timer.
    QTest::qWait(100);
    timer->stop();
    timer->deleteLater();
    return seen;
}

} // namespace

TEST_F(DebugMainFormTest, InFullScreenTheRightButtonOffersTheToolbarsCommands)
{
    // In the window the right button is a press like any other: the probe, no menu.
    Press(Qt::Key_Pause);
    Form->Session.Race.DXTimer1Timer(1);
    Press(Qt::Key_Pause);
    const TRightClick windowed = RightClick(*Form, {});
    EXPECT_TRUE(windowed.Probed);
    EXPECT_TRUE(windowed.Entries.isEmpty());

    Press(Qt::Key_F11);
    ASSERT_TRUE(WaitFor([this] { return Form->isFullScreen() && Form->DXDraw1Window->geometry() == Form->rect(); }));
    // The shown buttons' captions, in the toolbar's order; the settings open from there and take effect.
    Form->Session.Race.WindBase = 200;
    WhenDialogShows(*Setup, [this] {
        Setup->RxSpinEditWGrad->SetValue(90);
        Setup->ButtonFertig->click();
    });
    const TRightClick settings = RightClick(*Form, "Einstellungen");
    EXPECT_EQ(settings.Entries, "Neustart (F3)|Einstellungen|Stop (Pause)|Ende|Regatta");
    EXPECT_FALSE(settings.Probed);
    EXPECT_EQ(Form->Session.Race.WindBase, 90);

    // Pausing from the menu offers play next time; leaving the menu alone changes nothing.
    EXPECT_TRUE(RightClick(*Form, "Stop (Pause)").Entries.contains("Stop (Pause)"));
    EXPECT_TRUE(Paused());
    const TRightClick paused = RightClick(*Form, {});
    EXPECT_EQ(paused.Entries, "Neustart (F3)|Einstellungen|Play (Pause)|Ende|Regatta");
    EXPECT_TRUE(Paused());
    EXPECT_TRUE(Form->isVisible());
    RightClick(*Form, "Ende");
    EXPECT_FALSE(Form->isVisible());
}
