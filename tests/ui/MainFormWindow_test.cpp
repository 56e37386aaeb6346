#include "platform/HeadlessApplication.h"
#include "simulation/FrameSize.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"
#include "ui/SpeedButton.h"

#include "tests/platform/qt/TestSupport.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb Silver = 0xC0C0C0;

// A main window built but not yet shown, so a test can set it up first.
class MainFormWindowTest : public ::testing::Test {
protected:
    void Show()
    {
        Form->show();
        ASSERT_TRUE(WaitFor([this] { return Form->Session.DXDraw1.Initialized(); }));
    }
    // A key as the X server delivers it: the toolkit's key, the XKB key code and the keysym.
    void Key(QEvent::Type type, int qtKey, quint32 keyCode, quint32 keysym, const char* text)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier, keyCode, keysym, 0, QString::fromUtf8(text));
        QApplication::sendEvent(Form.get(), &event);
    }
    QLabel* Panel(int index) { return Form->StatusBar1->findChild<QLabel*>(QString("Panel%1").arg(index)); }

    THeadlessApplication Application;
    std::unique_ptr<TMainForm> Form = std::make_unique<TMainForm>(Application, false);
};

TEST_F(MainFormWindowTest, SteeringKeysAreKeysNotLetters)
{
    // The events each layout's keys make: XKB key codes 29, 53 and 52 are the US layout's Y, X and Z places,
    // 25 its W place. The key left of X steers red to port on every layout, the key labelled Y too.
    const struct {
        const char* Name;
        int QtKey;
        quint32 KeyCode;
        quint32 Keysym;
        const char* Text;
        int32_t RedTiller;
        int32_t GreenTiller;
    } cases[] = {
        {"US Y", Qt::Key_Y, 29, 0x79, "y", 0, 1},
        {"US X", Qt::Key_X, 53, 0x78, "x", 2, 1},
        {"US Z, left of X", Qt::Key_Z, 52, 0x7a, "z", 0, 1},
        {"US C", Qt::Key_C, 54, 0x63, "c", 1, 1},
        {"UK Z, left of X", Qt::Key_Z, 52, 0x7a, "z", 0, 1},
        {"UK backslash, left of Z", Qt::Key_Backslash, 94, 0x5c, "\\", 1, 1},
        {"French W, left of X", Qt::Key_W, 52, 0x77, "w", 0, 1},
        {"French Y on the US Y place", Qt::Key_Y, 29, 0x79, "y", 0, 1},
        {"French X", Qt::Key_X, 53, 0x78, "x", 2, 1},
        {"French Z on the US W place", Qt::Key_Z, 25, 0x7a, "z", 1, 1},
        {"German Y on the US Z place", Qt::Key_Y, 52, 0x79, "y", 0, 1},
        {"German X", Qt::Key_X, 53, 0x78, "x", 2, 1},
        {"German Z on the US Y place", Qt::Key_Z, 29, 0x7a, "z", 1, 1},
        {"Russian en on the Y place", 0x41D, 29, 0x6ee, "\xD0\xBD", 0, 1},
        {"Russian che on the X place", 0x427, 53, 0x6de, "\xD1\x87", 2, 1},
        {"Russian ya on the Z place", 0x42F, 52, 0x6f1, "\xD1\x8F", 0, 1},
        {"Russian es on the C place", 0x421, 54, 0x6f3, "\xD1\x81", 1, 1},
        {"Greek upsilon on the Y place", 0x3A5, 29, 0x7f5, "\xCF\x85", 0, 1},
        {"Greek chi on the X place", 0x3A7, 53, 0x7f7, "\xCF\x87", 2, 1},
        {"Cyrillic letter of unknown place", 0x41D, 0, 0, "\xD0\xBD", 1, 1},
        {"Z of unknown place", Qt::Key_Z, 0, 0x7a, "z", 1, 1},
        {"Left arrow whatever the code", Qt::Key_Left, 113, 0xff51, "", 1, 0},
        {"Right arrow whatever the code", Qt::Key_Right, 114, 0xff53, "", 1, 2},
    };
    Show();
    for (const auto& c : cases) {
        Key(QEvent::KeyPress, c.QtKey, c.KeyCode, c.Keysym, c.Text);
        EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, c.RedTiller) << c.Name;
        EXPECT_EQ(Form->Session.Race.Dinghies[0]->Tiller, c.GreenTiller) << c.Name;
        Key(QEvent::KeyRelease, c.QtKey, c.KeyCode, c.Keysym, c.Text);
        EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 1) << c.Name << " released";
        EXPECT_EQ(Form->Session.Race.Dinghies[0]->Tiller, 1) << c.Name << " released";
    }
}

TEST_F(MainFormWindowTest, OnQwertyEitherRedPortKeyHeldKeepsTheTillerOverTillOneIsReleased)
{
    // US Y and Z both held: the red tiller stays to port, and releasing either centres it, as with X and Y.
    Show();
    Key(QEvent::KeyPress, Qt::Key_Y, 29, 0x79, "y");
    Key(QEvent::KeyPress, Qt::Key_Z, 52, 0x7a, "z");
    EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 0);
    Key(QEvent::KeyRelease, Qt::Key_Z, 52, 0x7a, "z");
    EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 1);
    Key(QEvent::KeyRelease, Qt::Key_Y, 29, 0x79, "y");
    EXPECT_EQ(Form->Session.Race.Dinghies[1]->Tiller, 1);
}

TEST_F(MainFormWindowTest, EverySizeTheWindowTakesIsLaidOut)
{
    Show();
    for (const QSize size : {QSize(1076, 810), QSize(1300, 1000), QSize(900, 700), QSize(1076, 810)}) {
        Form->setFixedSize(size);
        EXPECT_EQ(Form->Shape1->geometry(), QRect(0, 0, size.width(), 41)) << size.width();
        EXPECT_EQ(Form->StatusBar1->geometry(), QRect(0, size.height() - 19, size.width(), 19)) << size.width();
        EXPECT_EQ(Form->DXDraw1Window->geometry(), QRect(0, 41, size.width(), size.height() - 60)) << size.width();
        EXPECT_EQ(Panel(0)->geometry(), QRect(0, 0, 540, 19));
        EXPECT_EQ(Panel(1)->geometry(), QRect(540, 0, size.width() - 540, 19)) << size.width();
        // The icon keeps to the toolbar's right end, the buttons to its left.
        EXPECT_EQ(Form->Image1->geometry(), QRect(size.width() - 44, 5, 32, 32)) << size.width();
        EXPECT_EQ(Form->SpeedButtonEnde->geometry(), QRect(232, 0, 74, 38));
        // The back buffer follows the drawing area.
        ASSERT_NE(Form->Session.DXDraw1.Surface(), nullptr);
        EXPECT_EQ(Form->Session.DXDraw1.Surface()->Width(), size.width());
        EXPECT_EQ(Form->Session.DXDraw1.Surface()->Height(), size.height() - 60);
    }
}

TEST_F(MainFormWindowTest, TheToolbarGroovesAreAtTheirPlaces)
{
    Show();
    const QImage shot = Form->grab().toImage();
    // A dark line at x 227 (and 311) and a light one beside it on the silver strip, silver on either side.
    for (int x : {227, 311}) {
        for (int y : {5, 20, 33}) {
            const QRgb dark = shot.pixel(x, y) & 0xFFFFFF;
            EXPECT_EQ(shot.pixel(x - 1, y) & 0xFFFFFF, Silver) << x << ", " << y;
            EXPECT_LT(qGray(dark), qGray(Silver)) << x << ", " << y;
            EXPECT_GT(qGray(shot.pixel(x + 1, y)), qGray(dark)) << x << ", " << y;
            EXPECT_EQ(shot.pixel(x + 2, y) & 0xFFFFFF, Silver) << x << ", " << y;
        }
        EXPECT_EQ(shot.pixel(x, 1) & 0xFFFFFF, Silver) << x;
    }
}

TEST_F(MainFormWindowTest, CentredOnThePrimaryScreenOrKeptOnIt)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // One window smaller than the screen, one larger: the larger one keeps its top-left corner on it.
    const QSize small(area.width() / 2 + 1, area.height() / 3 + 1);
    Form->setFixedSize(small);
    Show();
    const QRect frame = Form->frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1);

    TMainForm large(Application, false);
    large.setFixedSize(area.size() + QSize(200, 100));
    large.show();
    EXPECT_EQ(large.frameGeometry().topLeft(), area.topLeft());
}

// Run with Qt's own scaling off and fonts at 120 or 144 dpi: the window's pixels-per-inch step. The outer size
// grows (the offscreen platform frames a window with 2 pixels a side: 1080 x 814 outside at 96 dpi).
TEST_F(MainFormWindowTest, DensityGrowsTheWindowAndEveryBarWithIt)
{
    const int ppi = qRound(Form->screen()->logicalDotsPerInch());
    const struct {
        int Ppi;
        QSize Window;
        int Toolbar;
        int StatusBar;
        QRect Setup;
        int Bevel;
        QRect Regatta;
        int Bevel4;
        int Panel;
    } cases[] = {
        {120, QSize(1346, 1013), 51, 23, QRect(95, 0, 92, 47), 283, QRect(395, 0, 92, 47), 388, 675},
        {144, QSize(1616, 1217), 61, 28, QRect(114, 0, 111, 57), 340, QRect(474, 0, 111, 57), 466, 810},
    };
    const auto c = std::find_if(std::begin(cases), std::end(cases), [ppi](const auto& d) { return d.Ppi == ppi; });
    if (c == std::end(cases))
        GTEST_SKIP() << "runs at 120 and 144 dpi, not at " << ppi;
    Show();
    EXPECT_EQ(Form->size(), c->Window);
    EXPECT_EQ(Form->Shape1->geometry(), QRect(0, 0, c->Window.width(), c->Toolbar));
    EXPECT_EQ(Form->SpeedButtonSetup->geometry(), c->Setup);
    EXPECT_EQ(Form->Bevel3->x(), c->Bevel);
    EXPECT_EQ(Form->SpeedButtonRegatta->geometry(), c->Regatta);
    EXPECT_EQ(Form->Bevel4->x(), c->Bevel4);
    EXPECT_LT(Form->SpeedButtonRegatta->geometry().right(), Form->Image1->x());
    EXPECT_EQ(Form->StatusBar1->geometry(),
              QRect(0, c->Window.height() - c->StatusBar, c->Window.width(), c->StatusBar));
    EXPECT_EQ(Panel(0)->width(), c->Panel);
    EXPECT_EQ(Panel(1)->geometry().right(), c->Window.width() - 1);
    const QRect area(0, c->Toolbar, c->Window.width(), c->Window.height() - c->Toolbar - c->StatusBar);
    EXPECT_EQ(Form->DXDraw1Window->geometry(), area);
    // The race keeps its 96-dpi frame, which fills the grown area.
    EXPECT_EQ(Form->Session.DXDraw1.Surface()->Width(), FrameWidth);
    EXPECT_EQ(Form->Session.DXDraw1.Surface()->Height(), FrameHeight);
    Form->Session.DXDraw1.Present();
    const TDeviceRect shown = Form->DXDraw1Window->Transform().Shown();
    EXPECT_TRUE(shown.Width == area.width() || shown.Height == area.height());
    EXPECT_LE(shown.Width, area.width());
    EXPECT_LE(shown.Height, area.height());
    EXPECT_GE(shown.Width, FrameWidth * ppi / 96);
    EXPECT_GE(shown.Height, FrameHeight * ppi / 96);
    // The captions fit their grown buttons.
    for (TSpeedButton* b : {Form->SpeedButtonStart, Form->SpeedButtonSetup, Form->SpeedButtonStop})
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), b->width()) << b->text().toStdString();
}

} // namespace
