// The computer at the helm in the main window: the regatta dialog hands the dinghies over, the keys and pads
// steer only what the players have, and an online race has no computer.
#include "network/EnetLink.h"
#include "platform/HeadlessApplication.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/OnlineRace.h"
#include "ui/PadControl.h"
#include "ui/RegattaDialog.h"

#include "tests/platform/qt/TestSupport.h"
#include "tests/simulation/RecordedCommands.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

constexpr THelms Players{};

class HelmWindowTest : public testing::Test {
protected:
    HelmWindowTest() : Form(std::make_unique<TMainForm>(Application, false))
    {
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
    }

    TRegattaDialog& Dialog() { return *Form->RegattaDialog; }
    THelms Steering() const
    {
        THelms helms{};
        for (size_t d = 0; d < 2; ++d)
            if (const auto& helm = Form->Session.Race.Helms[d])
                helms[d] = helm->Skill();
        return helms;
    }
    void SetHelms(const THelms& helms)
    {
        Form->Session.SetHelm(TPlayer::Green, helms[0]);
        Form->Session.SetHelm(TPlayer::Red, helms[1]);
    }

    THeadlessApplication Application;
    TRecordedCommands Recorded;
    std::unique_ptr<TMainForm> Form;
};

TEST_F(HelmWindowTest, TheDialogsHelmsReachTheSessionByStartAndByFreeSailingAndShowAtTheNextOpening)
{
    Form->SetCommands(Recorded);
    // Combo index: 0 the player, 1..5 the computer's skill. A dinghy given back has its tiller amidships.
    const struct {
        int Green;
        int Red;
        TButton* TRegattaDialog::*Button;
        THelms Steering;
        TLog Sent;
    } cases[] = {
        {3, 0, &TRegattaDialog::ButtonStart, {3, std::nullopt}, {"regatta 3 penalties"}},
        {3, 5, &TRegattaDialog::ButtonFree, {3, 5}, {}},
        {0, 1, &TRegattaDialog::ButtonStart, {std::nullopt, 1}, {"green 1", "regatta 3 penalties"}},
        {2, 0, &TRegattaDialog::ButtonCancel, {std::nullopt, 1}, {}},
        {0, 0, &TRegattaDialog::ButtonFree, Players, {"red 1"}},
    };
    THelms shown = Players;
    for (const auto& c : cases) {
        THelms before{};
        WhenDialogShows(Dialog(), [&] {
            before = Dialog().ChosenHelms();
            Dialog().ComboBoxHelms[0]->setCurrentIndex(c.Green);
            Dialog().ComboBoxHelms[1]->setCurrentIndex(c.Red);
            (Dialog().*c.Button)->click();
        });
        QTest::keyClick(Form.get(), Qt::Key_F5);
        const std::string row = std::to_string(c.Green) + " " + std::to_string(c.Red);
        EXPECT_EQ(before, shown) << row << ": the helms steering when it opened";
        EXPECT_EQ(Steering(), c.Steering) << row;
        EXPECT_EQ(Recorded.Take(), c.Sent) << row;
        shown = c.Steering;
    }
    const QComboBox& combo = *Dialog().ComboBoxHelms[1];
    ASSERT_EQ(combo.count(), 6);
    EXPECT_EQ(combo.itemText(1), QString::fromUtf8("Computer 1 (Anfänger)"));
    EXPECT_EQ(combo.itemText(3), "Computer 3");
    EXPECT_EQ(combo.itemText(5), "Computer 5 (Regattasegler)");
    Form->SetCommands(Form->LocalCommands);
}

TEST_F(HelmWindowTest, TheComputerSteersItsDinghyThroughTheSessionAndLeavesTheOtherAlone)
{
    // Paused for ticks by hand, which then need not wait for the screen's refresh.
    QTest::keyClick(Form.get(), Qt::Key_Pause);
    TDXDrawOptions options = Form->Session.DXDraw1.Options();
    options.Exclude(doWaitVBlank);
    Form->Session.DXDraw1.SetOptions(options);
    SetHelms({4, std::nullopt});
    std::set<int32_t> greenTillers;
    for (int tick = 0; tick < 1200; ++tick) {
        Form->Session.Race.DXTimer1Timer(1);
        greenTillers.insert(Form->Session.Race.Dinghies[0]->Tiller);
        ASSERT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 1) << tick;
    }
    EXPECT_GE(greenTillers.size(), 2U) << "sailing laps, it turns";
    // Its keys move the player's dinghy, never the computer's tiller.
    Form->Session.SetTiller(TPlayer::Green, TTiller::Starboard);
    QTest::keyPress(Form.get(), Qt::Key_Left);
    EXPECT_EQ(Form->Session.Race.Dinghies[0]->Tiller, 2);
    EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 0);
    QTest::keyRelease(Form.get(), Qt::Key_Left);
}

TEST_F(HelmWindowTest, KeysAndTheFirstPadSteerTheDinghyTheComputerLeavesAndNoneWhenItSteersBoth)
{
    Form->SetCommands(Recorded);
    constexpr int32_t FirstPad = 901;
    Form->Pads->Steering.Connected(FirstPad);
    ASSERT_EQ(Form->Pads->Steering.PlayerOf(FirstPad), TPlayer::Green);
    // The dinghy each steers: "" none.
    const struct {
        THelms Helms;
        const char* Arrows;
        const char* YAndX;
        const char* Pad;
    } cases[] = {
        {Players, "green", "red", "green"},
        {{3, std::nullopt}, "red", "red", "red"},
        {{std::nullopt, 5}, "green", "green", "green"},
        {{1, 2}, "", "", ""},
    };
    const auto sent = [](const std::string& dinghy, int over) {
        return dinghy.empty() ? TLog{} : TLog{dinghy + " " + std::to_string(over), dinghy + " 1"};
    };
    for (const auto& c : cases) {
        SetHelms(c.Helms);
        const std::string row = std::string(c.Arrows) + "/" + c.YAndX + "/" + c.Pad;
        QTest::keyClick(Form.get(), Qt::Key_Left);
        EXPECT_EQ(Recorded.Take(), sent(c.Arrows, 0)) << row;
        QTest::keyClick(Form.get(), Qt::Key_X);
        EXPECT_EQ(Recorded.Take(), sent(c.YAndX, 2)) << row;
        Form->Pads->Steering.Button(FirstPad, TPadButton::DpadRight, true);
        Form->Pads->Steering.Button(FirstPad, TPadButton::DpadRight, false);
        EXPECT_EQ(Recorded.Take(), sent(c.Pad, 2)) << row;
    }
    Form->Pads->Steering.Disconnected(FirstPad);
    Form->SetCommands(Form->LocalCommands);
}

TEST_F(HelmWindowTest, AnOnlineRaceGivesTheDinghiesBackAndTheDialogOffersOnlyThePlayers)
{
    SetHelms({2, 5});
    auto online = std::make_unique<TOnlineRace>(*Form, Application, TEnetLink::Host(0), true, QString(),
                                                TNetRace::TOptions{});
    EXPECT_EQ(Steering(), Players);
    std::vector<std::pair<bool, std::string>> shown;
    WhenDialogShows(Dialog(), [&] {
        for (const QComboBox* helm : Dialog().ComboBoxHelms)
            shown.emplace_back(helm->isEnabled(), helm->currentText().toStdString());
        Dialog().ButtonFree->click();
    });
    QTest::keyClick(Form.get(), Qt::Key_F5);
    EXPECT_EQ(shown, (std::vector<std::pair<bool, std::string>>(2, {false, "Spieler"})));
    EXPECT_EQ(Steering(), Players);
    Form->SetCommands(Form->LocalCommands);
    online.reset();
}

} // namespace
