#include "platform/HeadlessApplication.h"
#include "platform/VirtualKeyCodes.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/PadControl.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"
#include "tests/platform/sdl/VirtualPad.h"

#include <QElapsedTimer>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString RedKeys = "Steuerung des roten Quibo's: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord";
const QString GreenKeys = QString::fromUtf8(
    "Steuerung des grünen Quibo's: [<-] ... Pinne nach Backbord, [->] ... Pinne nach Steuerbord");
const QString GreenTaken = QString::fromUtf8("Controller 1 verbunden: er steuert den grünen Quibo");
const QString GreenDropped = QString::fromUtf8("Controller 1 getrennt: den grünen Quibo steuert die Tastatur");
const QString RedTaken = "Controller 2 verbunden: er steuert den roten Quibo";

class MainFormPadsTest : public testing::Test {
protected:
    MainFormPadsTest() : Form(std::make_unique<TMainForm>(Application, false))
    {
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
        EXPECT_TRUE(Form->Pads->Pads.Available());
    }

    TQuibo& Green() { return *Form->Session.Race.Dinghies[0]; }
    TQuibo& Red() { return *Form->Session.Race.Dinghies[1]; }
    bool Paused() const { return !Form->Session.DXTimer1.Enabled(); }
    // The status bar panels: the red dinghy's left, the green one's right.
    QString RedPanel() const { return Form->StatusBar1->findChild<QLabel*>("Panel0")->text(); }
    QString GreenPanel() const { return Form->StatusBar1->findChild<QLabel*>("Panel1")->text(); }
    // Pressed and let go; the window reads the pad in between.
    void Tap(TVirtualPad& pad, SDL_GameControllerButton button)
    {
        pad.Button(button, true);
        RunEventLoop(4 * TPadControl::PollInterval);
        pad.Button(button, false);
        RunEventLoop(4 * TPadControl::PollInterval);
    }

    THeadlessApplication Application;
    std::unique_ptr<TMainForm> Form;
};

} // namespace

TEST_F(MainFormPadsTest, PadsSteerPauseAndRestartAsTheKeys)
{
    TVirtualPad green;
    TVirtualPad red;
    ASSERT_TRUE(WaitFor([this] { return RedPanel() == RedTaken; }));

    green.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    red.Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_TRUE(WaitFor([this] { return Green().Tiller == 0 && Red().Tiller == 2; }));
    green.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    red.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_TRUE(WaitFor([this] { return Green().Tiller == 1 && Red().Tiller == 1; }));

    Tap(red, SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(Paused());
    EXPECT_TRUE(Form->SpeedButtonPlay->isVisible());
    Green().X = 100;
    Tap(green, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_DOUBLE_EQ(Green().X, 628);
    EXPECT_TRUE(Paused());
    Tap(green, SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Form->SpeedButtonStop->isVisible());
}

TEST_F(MainFormPadsTest, TheKeyboardSteersBesideThePad)
{
    TVirtualPad green;
    ASSERT_TRUE(WaitFor([this] { return GreenPanel() == GreenTaken; }));
    Form->FormKeyDown(VK_Y);
    EXPECT_EQ(Red().Tiller, 0);
    Form->FormKeyDown(VK_RIGHT);
    EXPECT_EQ(Green().Tiller, 2);
    green.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_TRUE(WaitFor([this] { return Green().Tiller == 0; }));
}

TEST_F(MainFormPadsTest, NoControlOfAPadClosesTheWindow)
{
    TVirtualPad pad;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
        Tap(pad, static_cast<SDL_GameControllerButton>(button));
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
        pad.Axis(static_cast<SDL_GameControllerAxis>(axis), -32768);
        RunEventLoop(4 * TPadControl::PollInterval);
        pad.Axis(static_cast<SDL_GameControllerAxis>(axis), 32767);
        RunEventLoop(4 * TPadControl::PollInterval);
    }
    pad.Unplug();
    RunEventLoop(4 * TPadControl::PollInterval);
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(MainFormPadsTest, PluggingInAndOutIsToldForAFewSecondsInTheDinghysPanel)
{
    auto pad = std::make_unique<TVirtualPad>();
    ASSERT_TRUE(WaitFor([this] { return GreenPanel() == GreenTaken; }));
    EXPECT_EQ(RedPanel(), RedKeys);
    RunEventLoop(TPadControl::NoticeTime / 2);
    EXPECT_EQ(GreenPanel(), GreenTaken);
    // Started before the second notice can be: that notice stands its full time, not the rest of the first's.
    QElapsedTimer shown;
    shown.start();
    pad.reset();
    ASSERT_TRUE(WaitFor([this] { return GreenPanel() == GreenDropped; }));
    EXPECT_TRUE(WaitFor([this] { return GreenPanel() == GreenKeys; }, 2 * TPadControl::NoticeTime));
    // Qt's coarse timers may fire up to 5% early.
    EXPECT_GE(shown.elapsed(), TPadControl::NoticeTime * 95 / 100);
    EXPECT_EQ(RedPanel(), RedKeys);
}

TEST_F(MainFormPadsTest, PadsAreReadOnlyWhileTheProgramIsActive)
{
    TVirtualPad pad;
    ASSERT_TRUE(WaitFor([this] { return GreenPanel() == GreenTaken; }));
    Application.SetActive(false);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    RunEventLoop(4 * TPadControl::PollInterval);
    EXPECT_EQ(Green().Tiller, 1);
    // Back again: the start pressed meanwhile is gone, the tiller follows what is held.
    Application.SetActive(true);
    EXPECT_EQ(Green().Tiller, 2);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    RunEventLoop(4 * TPadControl::PollInterval);
    EXPECT_FALSE(Paused());
}
