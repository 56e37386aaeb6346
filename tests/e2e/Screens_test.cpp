// The course on screens of every kind: a fractional scale, a dense screen without the toolkit's scaling, and
// full screen on a large one.
#include "GameWindow.h"

#include <gtest/gtest.h>

#include <QPointF>

namespace {

constexpr unsigned Green = 0x008080;
constexpr unsigned Red = 0xFF0000;
constexpr unsigned Black = 0x000000;

// The drawing area of a client area whose bars have grown by that factor.
QImage AreaOf(const QImage& shot, double factor)
{
    const int top = static_cast<int>(41 * factor + 0.5);
    const int bottom = shot.height() - static_cast<int>(19 * factor + 0.5);
    return shot.copy(0, top, shot.width(), bottom - top);
}

// What a dense screen must show: the frame filling the area, the dinghies where they start at 96 dpi, scaled,
// and water to every edge of the area.
void ExpectTheCourseFillsTheArea(const QImage& area, double factor)
{
    const QPointF green = CentreOfColor(area, Green) / factor;
    const QPointF red = CentreOfColor(area, Red) / factor;
    EXPECT_NEAR(green.x(), 628, 12);
    EXPECT_NEAR(red.x(), 448, 12);
    EXPECT_GT(green.y(), 550);
    EXPECT_LT(green.y(), 740);
    // Exact marker colours inside the hulls, though their edges are mixed with the water.
    EXPECT_GT(CountColor(area, Green), 1300 * factor * factor * 0.8);
    // Blue to the corners, where the window's grey would show if the frame did not fill the area.
    for (const QPoint p : {QPoint(area.width() - 3, 300), QPoint(300, area.height() - 3),
             QPoint(area.width() - 3, area.height() - 3), QPoint(2, 2)})
        EXPECT_TRUE(Water(area.pixel(p))) << p.x() << "," << p.y() << ": " << std::hex << area.pixel(p);
    // Nothing stale: no black strip along the right or the bottom edge.
    EXPECT_EQ(CountColor(area.copy(area.width() - 12, 0, 12, area.height()), Black), 0);
    EXPECT_EQ(CountColor(area.copy(0, area.height() - 12, area.width(), 12), Black), 0);
}

TEST(ScreensTest, AtAFractionalScaleTheCourseFillsTheDrawingArea)
{
    TVirtualDisplay display(2560, 1600);
    TGameWindow game(display, {}, {"QT_SCALE_FACTOR=1.5"});
    ASSERT_TRUE(game.Found());
    EXPECT_EQ(game.ClientSize(), QSize(1614, 1215));
    const QImage shot = game.Screenshot();
    shot.save("/tmp/quibo-e2e-scale1.5.png");
    ExpectTheCourseFillsTheArea(AreaOf(shot, 1.5), 1.5);
}

TEST(ScreensTest, ADenseScreenWithoutTheToolkitsScalingShowsTheCourseAsAt96Dpi)
{
    TVirtualDisplay display(2200, 1700, 144);
    TGameWindow game(display, {}, {"QT_ENABLE_HIGHDPI_SCALING=0"});
    ASSERT_TRUE(game.Found());
    // A restart places the dinghies anew: on the 96-dpi frame, as on the first start.
    game.Keys("key F3");
    SleepMs(1000);
    const QImage shot = game.Screenshot();
    shot.save("/tmp/quibo-e2e-144dpi.png");
    ExpectTheCourseFillsTheArea(AreaOf(shot, 1.5), 1.5);
}

TEST(ScreensTest, F11ShowsTheDrawingAreaAloneOnTheWholeScreenAndBringsTheWindowBack)
{
    TVirtualDisplay display(3840, 2160);
    TGameWindow game(display, {"DEBUG"});
    ASSERT_TRUE(game.Found());
    // Placed by the window manager once it stays where it is.
    QRect window = game.FrameGeometry();
    WaitFor(
        [&] {
            QRect now = game.FrameGeometry();
            std::swap(now, window);
            return !window.isEmpty() && now == window;
        },
        3000);
    ASSERT_FALSE(window.isEmpty());
    const QSize fullScreen(3840, 2160);
    const QSize windowed(1076, 810);
    const auto clientSizeBecomes = [&](QSize size) {
        return WaitFor([&] { return game.ClientSize() == size; }, 5000);
    };

    // Twice: by the key, and by the window manager's request.
    for (const bool byKey : {true, false}) {
        game.Keys(byKey ? "key F11" : "getactivewindow");
        if (!byKey)
            RunCommand(display.Env() + " wmctrl -r 'QuiboTrainer v.1.0' -b add,fullscreen");
        // The dinghies start again in view.
        game.Keys("key F3");
        clientSizeBecomes(fullScreen);
        ASSERT_EQ(game.ClientSize(), fullScreen) << (byKey ? "F11" : "request");
        // The frame at twice its size in the middle (2152 x 1500 from 844, 330), the rest in one grey.
        QImage shot;
        QImage area;
        WaitFor(
            [&] {
                shot = game.Screenshot();
                area = shot.copy(844, 330, 2152, 1500);
                return CountColor(area, Green) > 4 * 1300;
            },
            5000);
        shot.save(byKey ? "/tmp/quibo-e2e-fullscreen.png" : "/tmp/quibo-e2e-fullscreen-requested.png");
        EXPECT_GT(CountColor(area, Green), 4 * 1300);
        EXPECT_NEAR(CentreOfColor(area, Green).x() / 2, 628, 30);
        const QRgb rest = shot.pixel(0, 0);
        EXPECT_FALSE(Water(rest));
        for (const QPoint p : {QPoint(843, 1000), QPoint(2996, 1000), QPoint(2000, 329), QPoint(2000, 1830),
                 QPoint(3839, 2159)})
            EXPECT_EQ(shot.pixel(p), rest) << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(844, 1000), QPoint(2995, 1000), QPoint(2000, 330), QPoint(2000, 1829)})
            EXPECT_TRUE(Water(shot.pixel(p))) << p.x() << "," << p.y();
        game.Keys(byKey ? "key F11" : "getactivewindow");
        if (!byKey)
            RunCommand(display.Env() + " wmctrl -r 'QuiboTrainer v.1.0' -b remove,fullscreen");
        clientSizeBecomes(windowed);
        EXPECT_EQ(game.ClientSize(), windowed);
        // After the request the window manager frames the window anew, with a border of its choice; under the
        // sanitizers beside other tests that has taken longer than three seconds.
        const auto placedAgain = [&] {
            return byKey ? game.FrameGeometry() == window : game.FrameGeometry().topLeft() == window.topLeft();
        };
        WaitFor(placedAgain, 10000);
        if (byKey)
            EXPECT_EQ(game.FrameGeometry(), window);
        else
            EXPECT_EQ(game.FrameGeometry().topLeft(), window.topLeft());
    }

    // In full screen the keys still count: pause stops the picture, the probe shows its box, Esc ends.
    game.Keys("key F11");
    clientSizeBecomes(fullScreen);
    game.Keys("key Pause");
    // Paused once two shots in a row agree, and still a while later.
    QImage paused = game.Screenshot();
    WaitFor(
        [&] {
            QImage now = game.Screenshot();
            std::swap(now, paused);
            return now == paused;
        },
        3000);
    SleepMs(400);
    EXPECT_EQ(game.Screenshot(), paused);
    game.Keys("key Pause");
    game.Keys("mousemove 1444 730 click 1");
    const std::string probe = " xdotool search --onlyvisible --name '^Information$' 2>/dev/null";
    EXPECT_TRUE(WaitFor([&] { return !RunCommand(display.Env() + probe).empty(); }, 5000));
    game.Keys("key Return");
    EXPECT_TRUE(WaitFor([&] { return RunCommand(display.Env() + probe).empty(); }, 5000));
    // The right button offers the hidden toolbar: its second entry opens the settings, Esc closes them.
    game.Keys("mousemove 1444 730 click 3");
    SleepMs(800);
    RunCommand(display.Env() + " import -window root /tmp/quibo-e2e-fullscreen-menu.png");
    game.Keys("key Down key Down key Return");
    const std::string setup = " xdotool search --onlyvisible --name '^Quibo Trainer Einstellungen$' 2>/dev/null";
    EXPECT_TRUE(WaitFor([&] { return !RunCommand(display.Env() + setup).empty(); }, 5000));
    RunCommand(display.Env() + " import -window root /tmp/quibo-e2e-fullscreen-settings.png");
    game.Keys("key Escape");
    EXPECT_TRUE(WaitFor([&] { return RunCommand(display.Env() + setup).empty(); }, 5000));
    game.Keys("key Escape");
    EXPECT_EQ(game.Process().WaitExit(5000), 0);
}

} // namespace
