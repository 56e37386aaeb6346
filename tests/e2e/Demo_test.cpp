// The demo in the real program: with --demo the computer races both dinghies with no key pressed, and the
// first key gives them back to the players, whose keys steer again.
#include "GameWindow.h"

#include <gtest/gtest.h>

#include <QLineF>
#include <QPointF>

#include <string>
#include <vector>

namespace {

// Whether a hull of that colour comes to be more than distance pixels from where it was within timeoutMs.
bool Leaves(TGameWindow& game, unsigned rgb, QPointF from, double distance, int timeoutMs)
{
    return WaitFor(
        [&] {
            const QPointF now = CentreOfColor(game.DrawingArea(), rgb);
            return now.x() >= 0 && QLineF(from, now).length() > distance;
        },
        timeoutMs);
}

TEST(DemoTest, ComputersRaceWithNoKeyAndAKeyGivesTheDinghiesBack)
{
    const TVirtualDisplay display;
    TGameWindow game(display, {"--demo"});
    ASSERT_TRUE(game.Found()) << "the main window did not appear";
    const QImage first = game.DrawingArea();
    // Both helms leave the start line during the countdown, a slow machine given room.
    EXPECT_TRUE(Leaves(game, Green, CentreOfColor(first, Green), 20, 15000)) << "green did not move by itself";
    EXPECT_TRUE(Leaves(game, Red, CentreOfColor(first, Red), 20, 15000)) << "red did not move by itself";

    // The key that ends the demo does nothing else: the program goes on, free sailing from the start line.
    game.Keys("key space");
    QPointF green;
    QPointF red;
    EXPECT_TRUE(WaitFor(
        [&] {
            const QImage area = game.DrawingArea();
            green = CentreOfColor(area, Green);
            red = CentreOfColor(area, Red);
            return std::abs(green.x() - 628) < 10 && std::abs(red.x() - 448) < 10;
        },
        5000))
        << "the dinghies are not back on the start line";
    EXPECT_TRUE(game.Process().Running());

    // Green's keys steer it away, while red, which nobody steers now, stays.
    game.Keys("keydown Right");
    SleepMs(300);
    game.Keys("keyup Right");
    EXPECT_TRUE(Leaves(game, Green, green, 20, 3000)) << "the arrow key did not steer green";
    EXPECT_NEAR(CentreOfColor(game.DrawingArea(), Red).x(), red.x(), 10) << "red moved with nobody at its helm";
}

} // namespace
