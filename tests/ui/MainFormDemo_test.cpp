// The demo in the main window: the race's events reach it and the next regatta begins between ticks; a key,
// a click on the water or the regatta dialog give the dinghies back to the players.
#include "platform/HeadlessApplication.h"
#include "simulation/DemoLoop.h"
#include "ui/MainForm.h"
#include "ui/RegattaDialog.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class MainFormDemoTest : public testing::Test {
protected:
    MainFormDemoTest()
        : Form(std::make_unique<TMainForm>(Application, false))
    {
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
        // Ticked by hand, each presented as the timer's would be, without waiting for the screen's refresh.
        Form->Session.Pause();
        TDXDrawOptions options = Form->Session.DXDraw1.Options();
        options.Exclude(doWaitVBlank);
        Form->Session.DXDraw1.SetOptions(options);
        Form->StartDemo();
    }

    bool ComputersSteer() const
    {
        return Form->Session.ComputerSteers(TPlayer::Green) && Form->Session.ComputerSteers(TPlayer::Red);
    }

    THeadlessApplication Application;
    std::unique_ptr<TMainForm> Form;
};

TEST_F(MainFormDemoTest, TheNextRegattaBeginsOnceTheResultsHaveStood)
{
    const TRegatta* first = Form->Session.Regatta();
    ASSERT_NE(first, nullptr);
    int64_t ticks = 0;
    while (ticks < 20000 && first->Phase() != TRegattaPhase::Over) {
        Form->Session.Race.DXTimer1Timer(1);
        ++ticks;
    }
    ASSERT_EQ(first->Phase(), TRegattaPhase::Over) << "the computers did not finish";
    for (int64_t t = 0; t <= TDemoLoop::ResultsTicks; ++t) {
        Form->Session.Race.DXTimer1Timer(1);
        QCoreApplication::processEvents();
    }
    ASSERT_NE(Form->Session.Regatta(), nullptr);
    EXPECT_EQ(Form->Session.Regatta()->Phase(), TRegattaPhase::Countdown);
    EXPECT_TRUE(ComputersSteer());
    EXPECT_TRUE(Form->DemoRunning());
}

TEST_F(MainFormDemoTest, AKeyAClickOnTheWaterOrTheRegattaDialogEndIt)
{
    const std::function<void()> ends[] = {
        [this] { QTest::keyClick(Form.get(), Qt::Key_Space); },
        [this] { QTest::mouseClick(Form->DXDraw1Window, Qt::LeftButton, {}, QPoint(300, 300)); },
        [this] {
            WhenDialogShows(*Form->RegattaDialog, [this] { Form->RegattaDialog->reject(); });
            QTest::mouseClick(Form->SpeedButtonRegatta, Qt::LeftButton);
        },
    };
    for (size_t i = 0; i < std::size(ends); ++i) {
        if (i > 0)
            Form->StartDemo();
        // A frame on the area, for the click to land on.
        Form->Session.Race.DXTimer1Timer(1);
        ASSERT_TRUE(ComputersSteer()) << i;
        ends[i]();
        EXPECT_FALSE(Form->DemoRunning()) << i;
        EXPECT_FALSE(Form->Session.ComputerSteers(TPlayer::Green)) << i;
        EXPECT_FALSE(Form->Session.ComputerSteers(TPlayer::Red)) << i;
        EXPECT_EQ(Form->Session.Regatta(), nullptr) << i;
        EXPECT_TRUE(Form->isVisible()) << i << ": the key that ends the demo does nothing else";
    }
}

} // namespace
