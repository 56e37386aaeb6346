// M mutes and unmutes the window's sound player and says so in the status bar for a while, over the online
// race's notice; it is no race command.
#include "platform/HeadlessApplication.h"
#include "ui/MainForm.h"

#include "tests/platform/qt/TestSupport.h"
#include "tests/simulation/RecordedCommands.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainFormSoundTest : public testing::Test {
protected:
    MainFormSoundTest() : Form(std::make_unique<TMainForm>(Application, false))
    {
        Form->SetCommands(Recorded);
        Panel = Form->findChild<QLabel*>("Panel1");
        Usual = Panel->text();
    }

    void TapM()
    {
        QTest::keyPress(Form.get(), Qt::Key_M);
        QTest::keyRelease(Form.get(), Qt::Key_M);
    }

    THeadlessApplication Application;
    TRecordedCommands Recorded;
    std::unique_ptr<TMainForm> Form;
    QLabel* Panel = nullptr;
    QString Usual;
};

TEST_F(MainFormSoundTest, MMutesAndUnmutesThePlayerGivenAndSaysSoForAWhile)
{
    TSilentSoundPlayer player;
    Form->SetSoundPlayer(player);
    EXPECT_EQ(&Form->SoundPlayer(), &player);

    TapM();
    EXPECT_TRUE(player.Muted());
    EXPECT_EQ(Panel->text(), "Ton aus");
    TapM();
    EXPECT_FALSE(player.Muted());
    EXPECT_EQ(Panel->text(), "Ton an");
    EXPECT_TRUE(Recorded.Take().empty()) << "the race is told nothing";

    EXPECT_TRUE(WaitFor([this] { return Panel->text() == Usual; }, 2 * TMainForm::SoundNoticeTime));
    EXPECT_FALSE(player.Muted());
}

TEST_F(MainFormSoundTest, TheSoundsNoticeStandsOverTheOnlineRacesAndGivesItBack)
{
    // Until it is given a player, the window mutes a silent one of its own.
    EXPECT_FALSE(Form->SoundPlayer().Muted());
    Form->ShowNetStatus("Warten auf den Gast");
    TapM();
    EXPECT_TRUE(Form->SoundPlayer().Muted());
    EXPECT_EQ(Panel->text(), "Ton aus");
    // A notice that changes meanwhile is shown once the sound's has gone.
    Form->ShowNetStatus("Verbinden");
    EXPECT_EQ(Panel->text(), "Ton aus");
    EXPECT_TRUE(WaitFor([this] { return Panel->text() == "Verbinden"; }, 2 * TMainForm::SoundNoticeTime));
    Form->ShowNetStatus({});
    EXPECT_EQ(Panel->text(), Usual);
}

} // namespace
