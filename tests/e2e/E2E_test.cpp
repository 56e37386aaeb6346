#include "GameWindow.h"

#include <gtest/gtest.h>

#include <QPointF>

#include <memory>

namespace {

constexpr unsigned Yellow = 0xFFFF00;

class GameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Display = std::make_unique<TVirtualDisplay>(); }
    static void TearDownTestSuite() { Display.reset(); }

    void SetUp() override
    {
        Game = std::make_unique<TGameWindow>(*Display);
        ASSERT_TRUE(Game->Found()) << "the main window did not appear";
    }

    static std::unique_ptr<TVirtualDisplay> Display;
    std::unique_ptr<TGameWindow> Game;
};

std::unique_ptr<TVirtualDisplay> GameTest::Display;

} // namespace

TEST_F(GameTest, ShowsTheCourseInExactMarkerColours)
{
    const QImage shot = Game->Screenshot();
    shot.save("/tmp/quibo-e2e-start.png");
    ASSERT_EQ(shot.width(), 1076);
    ASSERT_EQ(shot.height(), 810);
    const QImage area = shot.copy(0, 41, 1076, 750);
    // Both hulls (less what a hanging sail covers) and three whole buoys, read back unchanged from the screen.
    EXPECT_GT(CountColor(area, Green), 1300);
    EXPECT_GT(CountColor(area, Red), 1300);
    // Three buoys of 122 yellow pixels, turned by the wind, which may already have veered a little.
    EXPECT_GT(CountColor(area, Yellow), 3 * 110);
    EXPECT_LT(CountColor(area, Yellow), 3 * 135);
    // Green right of the centre, red left of it, near the bottom.
    const QPointF green = CentreOfColor(area, Green);
    const QPointF red = CentreOfColor(area, Red);
    EXPECT_NEAR(green.x(), 628, 10);
    EXPECT_NEAR(red.x(), 448, 10);
    EXPECT_GT(green.y(), 550);
    // The toolbar strip above is silver, the water below deep blue.
    EXPECT_EQ(shot.pixel(600, 20) & 0xFFFFFFu, 0xC0C0C0u);
    EXPECT_GE(area.pixel(100, 300) & 0xFFu, 180u);
}

TEST_F(GameTest, ArrowKeyTurnsAndMovesTheGreenDinghy)
{
    const QPointF before = CentreOfColor(Game->DrawingArea(), Green);
    Game->Keys("keydown Right");
    SleepMs(300);
    Game->Keys("keyup Right");
    // Turned to port (west) and sailing: it moves left while the red one stays where it was. Watched over a
    // while, since a slow machine ticks fewer times per second.
    bool movedLeft = false;
    QImage last;
    for (int i = 0; i < 20 && !movedLeft; ++i) {
        SleepMs(150);
        last = Game->DrawingArea();
        const QPointF now = CentreOfColor(last, Green);
        movedLeft = now.x() >= 0 && now.x() < before.x() - 20;
    }
    EXPECT_TRUE(movedLeft);
    EXPECT_NEAR(CentreOfColor(last, Red).x(), 448, 10);
}

TEST_F(GameTest, PauseFreezesThePictureAndResumeMovesItAgain)
{
    Game->Keys("key Pause");
    const QImage first = Game->StillDrawingArea(3000);
    // Still a while later.
    SleepMs(600);
    const QImage second = Game->DrawingArea();
    EXPECT_TRUE(first == second) << "the picture changed while paused";

    Game->Keys("key Pause");
    EXPECT_TRUE(Game->DrawingAreaLeaves(second, 3000)) << "the picture did not move after resuming";
}

TEST_F(GameTest, HullsSteeredIntoEachOtherExplode)
{
    const bool wrecked = Game->SteerIntoEachOther();
    Game->DrawingArea().save("/tmp/quibo-e2e-crash.png");
    EXPECT_TRUE(wrecked) << "both hulls should have exploded and vanished";
}

TEST_F(GameTest, EscEndsTheProgram)
{
    Game->Keys("key Escape");
    EXPECT_EQ(Game->Process().WaitExit(5000), 0);
}
