#include "GameWindow.h"

#include <gtest/gtest.h>

#include <QPointF>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr unsigned Red = 0xFF0000;

// Windows on a screen large enough for the window at twice its size, with another window in its middle.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Display = std::make_unique<TVirtualDisplay>(2560, 1920); }
    static void TearDownTestSuite() { Display.reset(); }
    void TearDown() override { Display->SetLayout("us"); }

    // Whether the red dinghy turned east (to its port tiller) after the key with that X key code was held.
    static bool RedTurnsEastOnKey(TGameWindow& game, int keyCode)
    {
        const double before = CentreOfColor(game.DrawingArea(), Red).x();
        game.Keys("keydown " + std::to_string(keyCode));
        SleepMs(450);
        game.Keys("keyup " + std::to_string(keyCode));
        for (int i = 0; i < 20; ++i) {
            SleepMs(150);
            if (CentreOfColor(game.DrawingArea(), Red).x() > before + 20)
                return true;
        }
        return false;
    }

    static std::unique_ptr<TVirtualDisplay> Display;
};

std::unique_ptr<TVirtualDisplay> DesktopTest::Display;

TEST_F(DesktopTest, TheWindowIsCentredWhateverTheWindowManagerWouldDo)
{
    // The window manager would put a new window beside this one, at the top left.
    TChildProcess other = Display->OpenWindow({"xmessage", "-center", "Ein anderes Fenster in der Mitte"});
    const std::string shown = " xdotool search --onlyvisible --class xmessage 2>/dev/null";
    WaitFor([&] { return !RunCommand(Display->Env() + shown).empty(); }, 5000);
    for (const char* scale : {"1", "2", "1.5"}) {
        TGameWindow game(*Display, {}, {std::string("QT_SCALE_FACTOR=") + scale});
        ASSERT_TRUE(game.Found()) << scale;
        const QRect frame = game.FrameGeometry();
        ASSERT_FALSE(frame.isEmpty()) << scale;
        // Within a logical pixel: the window is placed in those. Upright, Qt 6.4 on X11 may measure the frame
        // before the window manager has added the title bar, and centre it half a title bar too high.
        const double tolerance = std::max(1.0, std::atof(scale));
        const int titleBar = frame.height() - game.ClientSize().height();
        EXPECT_NEAR(frame.x() + frame.width() / 2.0, Display->Width() / 2.0, tolerance) << scale;
        EXPECT_NEAR(frame.y() + frame.height() / 2.0, Display->Height() / 2.0, tolerance + titleBar / 2.0) << scale;
        // The window has its size for that scale.
        EXPECT_EQ(game.ClientSize(), QSize(1076, 810) * std::atof(scale)) << scale;
    }
}

TEST_F(DesktopTest, TheRedDinghySteersByTheKeyOnEveryLayout)
{
    // X key codes: 29 is the US layout's Y place (Russian en, German Z, French Y), 52 its Z place, left of X
    // (German Y, French W), 25 its W place (French Z).
    const struct {
        const char* Layout;
        int KeyCode;
        bool Steers;
    } cases[] = {{"ru", 29, true}, {"de", 52, true}, {"de", 29, false}, {"us", 52, true}, {"us", 29, true},
                 {"fr", 52, true}, {"fr", 29, true}, {"fr", 25, false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Display->SetLayout(c.Layout)) << c.Layout;
        TGameWindow game(*Display);
        ASSERT_TRUE(game.Found());
        EXPECT_EQ(RedTurnsEastOnKey(game, c.KeyCode), c.Steers) << c.Layout << " key code " << c.KeyCode;
    }
}

TEST(DenseDesktopTest, TheControlsFollowTheGrownWindow)
{
    // 120 dpi with Qt's own scaling off: the window grows by a quarter, and so do its bars.
    TVirtualDisplay display(1600, 1280, 120);
    TGameWindow game(display, {}, {"QT_ENABLE_HIGHDPI_SCALING=0"});
    ASSERT_TRUE(game.Found());
    const QSize client = game.ClientSize();
    EXPECT_GE(client.width(), 1076 * 5 / 4);
    EXPECT_GE(client.height(), 810 * 5 / 4);
    const QImage shot = game.Screenshot();
    ASSERT_EQ(shot.size(), client);
    // Toolbar silver across the whole width; water down to just above the status bar (23 pixels high),
    // right to the window's right edge.
    EXPECT_EQ(shot.pixel(client.width() - 60, 20) & 0xFFFFFFu, 0xC0C0C0u);
    for (const QPoint p : {QPoint(client.width() - 5, 300), QPoint(100, client.height() - 26),
                           QPoint(client.width() - 5, client.height() - 26)})
        EXPECT_TRUE(Water(shot.pixel(p))) << p.x() << "," << p.y();
    // The status bar's panels run to the bottom edge, no water below them.
    for (const QPoint p : {QPoint(100, client.height() - 3), QPoint(client.width() - 3, client.height() - 3)})
        EXPECT_LT(std::abs(qBlue(shot.pixel(p)) - qRed(shot.pixel(p))), 16) << p.x() << "," << p.y();
    shot.save("/tmp/quibo-e2e-120dpi.png");
}

} // namespace
