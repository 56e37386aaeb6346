// A regatta in the real program: F5 opens the dialog, Enter starts, the countdown shows over the water and
// ends at the signal; a regatta whose dinghies are both out ends with the results over the water.
#include "GameWindow.h"

#include <gtest/gtest.h>

#include <QDir>

#include <memory>
#include <string>
#include <vector>

namespace {

// Where the screenshots for a person to look at go, when there is such a place.
void Keep(const QImage& image, const char* name)
{
    const QString folder = qEnvironmentVariable("QUIBO_E2E_SCREENS");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        image.save(folder + "/" + name);
}

// Pure white pixels in a part of the drawing area: the overlay's lettering (the water has none).
int WhiteIn(const QImage& area, const QRect& part)
{
    return CountColor(area.copy(part), 0xFFFFFF);
}

class RegattaTest : public testing::Test {
protected:
    void SetUp() override
    {
        Display = std::make_unique<TVirtualDisplay>();
        Game = std::make_unique<TGameWindow>(*Display, std::vector<std::string>{},
                                             std::vector<std::string>{"SDL_AUDIODRIVER=dummy"});
        ASSERT_TRUE(Game->Found()) << "the main window did not appear";
    }

    QImage WholeScreen() const
    {
        const std::string file = "/tmp/quibo-e2e-root-" + std::to_string(getpid()) + ".png";
        RunCommand(Display->Env() + " import -window root " + file + " 2>/dev/null");
        QImage image(QString::fromStdString(file));
        std::remove(file.c_str());
        return image;
    }

    bool DialogShown() const
    {
        return !RunCommand(Display->Env() + " xdotool search --name 'Quibo Trainer Regatta' 2>/dev/null").empty();
    }

    // F5, then in the dialog: laps typed, the rules chosen (Down for the classic ones), Enter.
    void StartRegatta(const char* laps, bool classic)
    {
        Game->Keys("key F5");
        ASSERT_TRUE(WaitFor([this] { return DialogShown(); }, 5000)) << "no regatta dialog";
        SleepMs(200);
        Keep(WholeScreen(), "regatta-dialog.png");
        Game->Keys(std::string("key ctrl+a type ") + laps);
        if (classic)
            Game->Keys("key Tab key Down");
        Game->Keys("key Return");
        ASSERT_TRUE(WaitFor([this] { return !DialogShown(); }, 5000)) << "the dialog stayed";
    }

    // The countdown's figures in the upper middle of the water, then gone after the signal.
    void ExpectCountdownThenStart()
    {
        const QRect upperMiddle(388, 50, 300, 170);
        QImage countingDown;
        EXPECT_TRUE(WaitFor(
            [&] {
                countingDown = Game->DrawingArea();
                return WhiteIn(countingDown, upperMiddle) > 300;
            },
            5000))
            << "no countdown over the water";
        Keep(Game->Screenshot(), "regatta-countdown.png");
        // Fifteen seconds of ticks, a slow machine given room; "Start!" shows a moment, then nothing.
        EXPECT_TRUE(WaitFor([&] { return WhiteIn(Game->DrawingArea(), upperMiddle) < 20; }, 30000))
            << "the countdown did not end";
    }

    std::unique_ptr<TVirtualDisplay> Display;
    std::unique_ptr<TGameWindow> Game;
};

} // namespace

TEST_F(RegattaTest, F5OpensTheDialogEnterStartsAndTheCountdownShowsOverTheWater)
{
    EXPECT_LT(WhiteIn(Game->DrawingArea(), QRect(388, 50, 300, 170)), 20) << "white over the water before";
    StartRegatta("2", false);
    ExpectCountdownThenStart();
}

// A one-lap classic regatta in which the two dinghies are steered into each other during the countdown: both
// explode, are out, and at the signal the results box says that nobody won.
TEST_F(RegattaTest, BothOutInTheCountdownEndsAtTheSignalWithTheResults)
{
    StartRegatta("1", true);
    const QRect middle(313, 363, 453, 107);
    // F3 between tries starts the same regatta again.
    const bool wrecked = Game->SteerIntoEachOther();
    ASSERT_TRUE(wrecked) << "both hulls should have exploded";
    EXPECT_LT(WhiteIn(Game->DrawingArea(), middle), 20) << "results before the signal";
    QImage results;
    EXPECT_TRUE(WaitFor(
        [&] {
            results = Game->DrawingArea();
            return WhiteIn(results, middle) > 300;
        },
        30000))
        << "no results box after the signal";
    Keep(Game->Screenshot(), "regatta-results.png");
}
