// The regatta in the main window: the dialog (by button, F5 and the full screen's menu) speaks only to the
// commands; the race's events reach the status bar and OnRaceEvent; the overlay follows the regatta.
#include "platform/HeadlessApplication.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/RegattaDialog.h"
#include "ui/RegattaOverlay.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"
#include "tests/simulation/RecordedCommands.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class RegattaWindowTest : public testing::Test {
protected:
    RegattaWindowTest()
        : Form(std::make_unique<TMainForm>(Application, false))
    {
        Form->show();
        EXPECT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
    }

    TRegattaDialog& Dialog() { return *Form->RegattaDialog; }
    QString Status() const { return Form->findChild<QLabel*>("Panel1")->text(); }
    // Ticks by hand while paused, each presented as the timer's would be: a tick's events show with the next
    // frame.
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            Form->Session.Race.DXTimer1Timer(1);
    }
    // Paused for ticks by hand, which then need not wait for the screen's refresh.
    void Pause()
    {
        QTest::keyClick(Form.get(), Qt::Key_Pause);
        ASSERT_FALSE(Form->Session.Running());
        TDXDrawOptions options = Form->Session.DXDraw1.Options();
        options.Exclude(doWaitVBlank);
        Form->Session.DXDraw1.SetOptions(options);
    }
    // Opens the dialog with the key or the button and runs fn in it; what the commands were told.
    TLog OpenAnd(const std::function<void()>& fn, bool byKey = true)
    {
        Form->SetCommands(Recorded);
        bool ran = false;
        WhenDialogShows(Dialog(), [&] {
            ran = true;
            fn();
        });
        if (byKey)
            QTest::keyClick(Form.get(), Qt::Key_F5);
        else
            QTest::mouseClick(Form->SpeedButtonRegatta, Qt::LeftButton);
        EXPECT_TRUE(ran) << "the dialog did not open";
        EXPECT_FALSE(Dialog().isVisible());
        Form->SetCommands(Form->LocalCommands);
        return Recorded.Take();
    }

    THeadlessApplication Application;
    TRecordedCommands Recorded;
    std::unique_ptr<TMainForm> Form;
};

TEST_F(RegattaWindowTest, TheDialogOffersThreeLapsUnderPenaltyTurnsAndThePlayersAtTheHelm)
{
    const TLog sent = OpenAnd([this] {
        EXPECT_EQ(Dialog().windowTitle(), "Quibo Trainer Regatta");
        EXPECT_EQ(Dialog().RxSpinEditLaps->Value(), 3);
        EXPECT_EQ(Dialog().RxSpinEditLaps->MinValue(), 1);
        EXPECT_EQ(Dialog().RxSpinEditLaps->MaxValue(), 9);
        EXPECT_EQ(Dialog().ComboBoxRules->currentText(), "Strafdrehungen");
        EXPECT_EQ(Dialog().ComboBoxRules->count(), 2);
        EXPECT_EQ(Dialog().ComboBoxRules->itemText(1), "Klassisch (Explosion)");
        for (const QComboBox* helm : Dialog().ComboBoxHelms) {
            EXPECT_TRUE(helm->isVisible());
            EXPECT_EQ(helm->currentText(), "Spieler");
        }
        EXPECT_EQ(Dialog().LabelHelms[0]->text(), QString::fromUtf8("Grün steuert:"));
        EXPECT_EQ(Dialog().LabelHelms[1]->text(), "Rot steuert:");
        // Free sailing is offered in free sailing too: the helms may change there.
        EXPECT_TRUE(Dialog().ButtonFree->isVisible());
        EXPECT_TRUE(Dialog().ButtonCancel->isVisible());
        Dialog().ButtonStart->click();
    });
    EXPECT_EQ(sent, (TLog{"regatta 3 penalties"}));
}

TEST_F(RegattaWindowTest, StartSendsTheChosenSettingsAndTheNextOpeningShowsThem)
{
    // Laps are held to 1..9 whatever is typed.
    const struct {
        double Typed;
        int Rules;
        const char* Sent;
    } cases[] = {{1, 1, "regatta 1 classic"}, {9, 0, "regatta 9 penalties"}, {0, 0, "regatta 1 penalties"},
                 {12, 1, "regatta 9 classic"}, {5, 1, "regatta 5 classic"}};
    for (const auto& c : cases) {
        const TLog sent = OpenAnd([this, &c] {
            Dialog().RxSpinEditLaps->SetValue(c.Typed);
            Dialog().ComboBoxRules->setCurrentIndex(c.Rules);
            Dialog().ButtonStart->click();
        }, false);
        EXPECT_EQ(sent, (TLog{c.Sent})) << c.Typed;
    }
    // Changed and cancelled (by the button, by Esc): nothing is sent and the next opening shows the last start.
    EXPECT_TRUE(OpenAnd([this] {
        EXPECT_EQ(Dialog().RxSpinEditLaps->Value(), 5);
        EXPECT_EQ(Dialog().ComboBoxRules->currentIndex(), 1);
        Dialog().RxSpinEditLaps->SetValue(7);
        Dialog().ButtonCancel->click();
    }).empty());
    EXPECT_TRUE(OpenAnd([this] {
        EXPECT_EQ(Dialog().RxSpinEditLaps->Value(), 5);
        Dialog().ComboBoxRules->setCurrentIndex(0);
        QTest::keyClick(&Dialog(), Qt::Key_Escape);
    }).empty());
    // Enter in the laps field starts.
    EXPECT_EQ(OpenAnd([this] {
        EXPECT_EQ(Dialog().ComboBoxRules->currentIndex(), 1);
        QTest::keyClick(Dialog().RxSpinEditLaps, Qt::Key_Return);
    }), (TLog{"regatta 5 classic"}));
}

TEST_F(RegattaWindowTest, WhileARegattaRunsTheDialogLeavesItForFreeSailing)
{
    Pause();
    Form->Session.StartRegatta({2, TRegattaRules::Penalties});
    EXPECT_EQ(OpenAnd([this] {
        EXPECT_TRUE(Dialog().ButtonFree->isVisible());
        EXPECT_EQ(Dialog().ButtonFree->text(), "Freies Segeln");
        Dialog().ButtonFree->click();
    }), (TLog{"free"}));
    // Through the session's own commands: free sailing again.
    WhenDialogShows(Dialog(), [this] { Dialog().ButtonFree->click(); });
    QTest::keyClick(Form.get(), Qt::Key_F5);
    EXPECT_EQ(Form->Session.Regatta(), nullptr);
    // In free sailing there is no regatta to leave: with the same helms nothing is sent.
    EXPECT_TRUE(OpenAnd([this] {
        EXPECT_TRUE(Dialog().ButtonFree->isVisible());
        Dialog().ButtonFree->click();
    }).empty());
}

TEST_F(RegattaWindowTest, TheStatusBarAndOnRaceEventFollowTheCountdownAndFreeSailingKeepsItsTexts)
{
    std::vector<TRaceEvent> told;
    Form->OnRaceEvent = [&told](const TRaceEvent& event) { told.push_back(event); };
    const QString usual = Status();
    Pause();
    Ticks(30);
    EXPECT_EQ(Status(), usual);

    Form->Session.StartRegatta({1, TRegattaRules::Penalties});
    Ticks(2);
    EXPECT_EQ(Status(), "Start in 15 s");
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().Kind, TRaceEvent::Countdown);
    Ticks(5 * 60);
    EXPECT_EQ(Status(), "Start in 10 s");
    // An online notice goes first; the regatta's text comes back after it.
    Form->ShowNetStatus("Warte auf den anderen Spieler");
    EXPECT_EQ(Status(), "Warte auf den anderen Spieler");
    Form->ShowNetStatus({});
    EXPECT_EQ(Status(), "Start in 10 s");
    Ticks(10 * 60);
    EXPECT_EQ(Status(), "Start!");
    // Every event of the log was told, in order, none twice.
    std::vector<int32_t> seconds;
    for (const TRaceEvent& event : told)
        if (event.Kind == TRaceEvent::Countdown)
            seconds.push_back(event.Value);
    EXPECT_EQ(seconds, (std::vector<int32_t>{15, 10, 5, 4, 3, 2, 1}));
    EXPECT_EQ(told.back().Kind, TRaceEvent::Start);

    Form->Session.LeaveRegatta();
    Ticks(1);
    EXPECT_EQ(Status(), usual);
}

TEST_F(RegattaWindowTest, TheOverlayCountsDownMarksTheEarlyAndTheLostAndIsGoneInFreeSailing)
{
    Pause();
    Ticks(2);
    EXPECT_TRUE(Form->DXDraw1Window->OverlayRect().isEmpty()) << "free sailing shows nothing over the water";
    Form->Session.StartRegatta({1, TRegattaRules::Penalties});
    Ticks(1);
    const QRect countdown = Form->DXDraw1Window->OverlayRect();
    EXPECT_FALSE(countdown.isEmpty());
    // In the upper middle of the water.
    EXPECT_NEAR(countdown.center().x(), FrameWidth / 2, 2);
    EXPECT_LT(countdown.bottom(), FrameHeight / 3);

    // The seconds left, rounded up, then "Start!" for a moment; green waits above the line meanwhile, so at the
    // signal it is early and marked so until it returns.
    TQuibo& green = *Form->Session.Race.Dinghies[0];
    TQuibo& red = *Form->Session.Race.Dinghies[1];
    TRegattaOverlay overlay;
    const struct {
        int32_t SinceStart;
        const char* Big;
        bool Early;
    } steps[] = {{-900, "15", false}, {-841, "15", false}, {-840, "14", false}, {-1, "1", false},
                 {0, "Start!", true},  {89, "Start!", true},  {90, "", true}};
    for (const auto& step : steps) {
        while (Form->Session.Regatta()->TicksSinceStart() < step.SinceStart) {
            // Head to wind it drifts astern.
            if (green.Y > 540)
                green.Y = 530;
            Ticks(1);
        }
        overlay.Update(Form->Session.Race);
        EXPECT_EQ(overlay.BigText().toStdString(), step.Big) << step.SinceStart;
        EXPECT_EQ(overlay.EarlyLabels()[0].has_value(), step.Early) << step.SinceStart;
        EXPECT_FALSE(overlay.EarlyLabels()[1].has_value());
    }
    EXPECT_EQ(Form->Session.Regatta()->Dinghy(0).Standing, TStanding::Early);
    const QRect label = *overlay.EarlyLabels()[0];
    EXPECT_LT(label.bottom(), green.Y) << "the label stands above green";
    EXPECT_NEAR(label.center().x(), green.X, 30);

    // Red carried out of sight to the left, then beyond the bottom right corner: a marker at the edge, tip first.
    const struct {
        double X;
        double Y;
        QPointF Tip;
    } lost[] = {{-80, 300, {3, 300}}, {1200, 900, {FrameWidth - 4, FrameHeight - 4}}, {500, -40, {500, 3}}};
    for (const auto& place : lost) {
        red.X = place.X;
        red.Y = place.Y;
        Ticks(1);
        overlay.Update(Form->Session.Race);
        ASSERT_TRUE(overlay.EdgeMarkers()[1].has_value()) << place.X;
        EXPECT_NEAR(overlay.EdgeMarkers()[1]->front().x(), place.Tip.x(), 1) << place.X;
        EXPECT_NEAR(overlay.EdgeMarkers()[1]->front().y(), place.Tip.y(), 1) << place.X;
        EXPECT_TRUE(Form->DXDraw1Window->OverlayRect().contains(place.Tip.toPoint())) << place.X;
    }
    EXPECT_FALSE(overlay.EdgeMarkers()[0].has_value());

    Form->Session.LeaveRegatta();
    Ticks(1);
    EXPECT_TRUE(Form->DXDraw1Window->OverlayRect().isEmpty());
}

} // namespace

namespace {

TEST_F(RegattaWindowTest, AClassicRegattaInWhichBothExplodeEndsWithNoWinner)
{
    Pause();
    Form->Session.StartRegatta({1, TRegattaRules::Classic});
    Ticks(TRegatta::CountdownTicks + 5);
    for (TQuibo* dinghy : Form->Session.Race.Dinghies)
        StartExplosion(*dinghy, Form->Session.Race);
    Ticks(3);
    ASSERT_EQ(Form->Session.Regatta()->Phase(), TRegattaPhase::Over);
    TRegattaOverlay overlay;
    overlay.Update(Form->Session.Race);
    EXPECT_EQ(overlay.Results().join('|').toStdString(),
              "Ergebnis – Runden: 1, Klassisch (Explosion)|Kein Sieger|Grün: ausgeschieden|Rot: ausgeschieden");
    // The box in the middle of the water, with the report in the status bar.
    const QRect box = Form->DXDraw1Window->OverlayRect();
    EXPECT_TRUE(box.contains(QPoint(FrameWidth / 2, FrameHeight / 2)));
    EXPECT_EQ(Status(), "Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue");
    if (const QString folder = qEnvironmentVariable("QUIBO_UI_SCREENS"); !folder.isEmpty())
        Form->grab().save(folder + "/regatta-results.png");
    // Restart sails the same regatta again: the results go, the countdown comes.
    Form->Session.Restart();
    Ticks(2);
    overlay.Update(Form->Session.Race);
    EXPECT_TRUE(overlay.Results().isEmpty());
    EXPECT_EQ(overlay.BigText(), "15");
}

} // namespace
