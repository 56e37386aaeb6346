// Whatever the window was given as the race's commands (an online race gives its own) gets everything the keys,
// the buttons, the settings dialog and the pads do; the session is not touched behind its back.
#include "platform/HeadlessApplication.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/PadControl.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"
#include "tests/platform/sdl/VirtualPad.h"
#include "tests/simulation/RecordedCommands.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class MainFormCommandsTest : public testing::Test {
protected:
    MainFormCommandsTest()
        : Form(std::make_unique<TMainForm>(Application, false)),
          Setup(std::make_unique<TSetupForm>(Form->Clock, Form->Messages, Form.get()))
    {
        Form->SetSetupForm(Setup.get());
        Form->SetCommands(Recorded);
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
    }
    ~MainFormCommandsTest() override
    {
        Setup.reset();
        Form.reset();
    }

    void Tap(Qt::Key key)
    {
        QTest::keyPress(Form.get(), key);
        QTest::keyRelease(Form.get(), key);
    }

    THeadlessApplication Application;
    TRecordedCommands Recorded;
    std::unique_ptr<TMainForm> Form;
    std::unique_ptr<TSetupForm> Setup;
};

TEST_F(MainFormCommandsTest, KeysAndButtonsSpeakOnlyToTheCommands)
{
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Y, Qt::Key_X, Qt::Key_F3})
        Tap(key);
    QTest::mouseClick(Form->SpeedButtonStart, Qt::LeftButton);
    EXPECT_EQ(Recorded.Take(), (TLog{"green 0", "green 1", "green 2", "green 1", "red 0", "red 1", "red 2", "red 1",
                                     "restart", "restart"}));
    EXPECT_EQ(Form->Session.Race.Dinghies[0]->Tiller, 1) << "the session's own tiller stays amidships";

    // The buttons follow the commands' pause, not the click: online the pause comes a few ticks later.
    Tap(Qt::Key_Pause);
    EXPECT_EQ(Recorded.Take(), (TLog{"pause"}));
    EXPECT_TRUE(Form->SpeedButtonStop->isVisible());
    EXPECT_TRUE(Form->Session.Running());
    Form->ShowPaused(true);
    Tap(Qt::Key_Pause);
    QTest::mouseClick(Form->SpeedButtonPlay, Qt::LeftButton);
    EXPECT_EQ(Recorded.Take(), (TLog{"resume", "resume"}));
}

// A spectator's keys and buttons change nothing: no restart, pause, settings or regatta reaches the commands,
// nor does a dialog open; the tillers still go, for the race to ignore.
TEST_F(MainFormCommandsTest, WhileWatchingOnlyTheTillersReachTheCommands)
{
    // A dialog that opens all the same is counted and closed, so that the test goes on.
    int opened = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ++opened;
            dialog->close();
        }
    });
    closer.start(10);
    Form->SetWatching(true);
    for (Qt::Key key : {Qt::Key_F3, Qt::Key_Pause, Qt::Key_F5, Qt::Key_Left})
        Tap(key);
    for (TSpeedButton* button : {Form->SpeedButtonStart, Form->SpeedButtonSetup, Form->SpeedButtonStop,
                                 Form->SpeedButtonRegatta})
        QTest::mouseClick(button, Qt::LeftButton);
    RunEventLoop(50);
    EXPECT_EQ(Recorded.Take(), (TLog{"green 0", "green 1"}));
    EXPECT_EQ(opened, 0);
    Form->SetWatching(false);
    Tap(Qt::Key_F3);
    EXPECT_EQ(Recorded.Take(), (TLog{"restart"}));
}

TEST_F(MainFormCommandsTest, TheSettingsDialogsWindGoesToTheCommands)
{
    WhenDialogShows(*Setup, [this] {
        Setup->RxSpinEditWGrad->SetValue(90);
        Setup->RxSpinEditWAbw->SetValue(20);
        Setup->RxSpinEditWSpeed->SetValue(25);
        Setup->ButtonFertig->click();
    });
    QTest::mouseClick(Form->SpeedButtonSetup, Qt::LeftButton);
    EXPECT_EQ(Recorded.Take(), (TLog{"wind 90 20 25"}));
    EXPECT_EQ(Form->Session.Race.WindBase, 360) << "the session's wind is the commands' to change";
}

TEST_F(MainFormCommandsTest, PadsSpeakToTheCommandsAsTheKeysDo)
{
    ASSERT_TRUE(Form->Pads->Pads.Available());
    TVirtualPad pad;
    ASSERT_TRUE(WaitFor([this] { return Form->Pads->Pads.AnyOpen(); }));
    const auto tap = [&pad](SDL_GameControllerButton button) {
        pad.Button(button, true);
        RunEventLoop(4 * TPadControl::PollInterval);
        pad.Button(button, false);
        RunEventLoop(4 * TPadControl::PollInterval);
    };
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    tap(SDL_CONTROLLER_BUTTON_START);
    tap(SDL_CONTROLLER_BUTTON_BACK);
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(Recorded.Take(), (TLog{"green 2", "green 1", "pause", "restart", "resume"}));
}

} // namespace
