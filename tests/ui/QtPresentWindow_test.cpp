#include "platform/qt/QtPresentWindow.h"

#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

// A frame whose every pixel differs from the others, with padding beyond each row.
struct TFrame {
    int32_t Width;
    int32_t Height;
    std::ptrdiff_t Pitch;
    std::vector<uint32_t> Pixels;

    TFrame(int32_t width, int32_t height, std::ptrdiff_t padding = 0)
        : Width(width)
        , Height(height)
        , Pitch(width + padding)
        , Pixels(static_cast<size_t>(Pitch * height), 0x00FF00FFu)
    {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                At(x, y) = PatternOf(x, y);
    }
    uint32_t& At(int32_t x, int32_t y) { return Pixels[static_cast<size_t>(y * Pitch + x)]; }
    static uint32_t PatternOf(int32_t x, int32_t y)
    {
        return 0x400000u | static_cast<uint32_t>(x << 8) | static_cast<uint32_t>(y);
    }
    TPixelView View() const
    {
        return {.Pixels = Pixels.data(), .Width = Width, .Height = Height, .PitchPixels = Pitch, .Whole = true,
                .Changed = {}};
    }
};

class QtPresentWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        Form.resize(300, 200);
        Area = new TQtPresentWindow(&Form);
        Area->setGeometry(10, 20, 200, 100);
        Form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    }

    // Presents centred in the area, the way the drawing surface computes the target.
    void PresentCentred(const TFrame& frame)
    {
        int32_t x = 0;
        int32_t y = 0;
        Area->ClientOriginOnScreen(x, y);
        x += (Area->ClientWidth() - frame.Width) / 2;
        y += (Area->ClientHeight() - frame.Height) / 2;
        Area->Present(frame.View(), x, y, frame.Width, frame.Height);
    }

    QImage Shown() const { return Area->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget Form;
    TQtPresentWindow* Area = nullptr;
};

TEST_F(QtPresentWindowTest, ReportsItsPlaceAndSize)
{
    EXPECT_TRUE(Area->HasParentForm());
    EXPECT_EQ(Area->ClientWidth(), 200);
    EXPECT_EQ(Area->ClientHeight(), 100);
    int32_t x = 0;
    int32_t y = 0;
    Area->ClientOriginOnScreen(x, y);
    EXPECT_EQ(QPoint(x, y), Form.mapToGlobal(QPoint(10, 20)));

    TQtPresentWindow alone;
    EXPECT_FALSE(alone.HasParentForm());
}

TEST_F(QtPresentWindowTest, ShowsEveryPixelExactlyAtTheCentre)
{
    const TFrame frame(40, 30, 3);
    PresentCentred(frame);
    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(200, 100));
    for (int y = 0; y < frame.Height; ++y)
        for (int x = 0; x < frame.Width; ++x)
            ASSERT_EQ(shown.pixel(80 + x, 35 + y), Opaque | frame.Pixels[static_cast<size_t>(y * frame.Pitch + x)])
                << x << ", " << y;
    const QRgb background = Area->palette().window().color().rgb();
    for (const QPoint at : {QPoint(79, 35), QPoint(120, 35), QPoint(80, 34), QPoint(80, 65), QPoint(0, 0), QPoint(199, 99)})
        EXPECT_EQ(shown.pixel(at), background) << at.x() << ", " << at.y();
}

// Marker colours must read back exactly whatever the unused top byte holds.
TEST_F(QtPresentWindowTest, MarkerColoursSurviveExactly)
{
    const uint32_t colours[] = {0x008080u, 0xFF0000u, 0xFFFF00u, 0x000000u, 0xFFFFFFu, 0xAB008080u};
    for (const uint32_t colour : colours) {
        TFrame frame(200, 100);
        frame.At(17, 9) = colour;
        PresentCentred(frame);
        EXPECT_EQ(Shown().pixel(17, 9), Opaque | (colour & 0xFFFFFFu)) << std::hex << colour;
    }
}

TEST_F(QtPresentWindowTest, AWithdrawnFrameStaysOnShowAfterItsPixelsAreGone)
{
    auto frame = std::make_unique<TFrame>(40, 30);
    PresentCentred(*frame);
    const QImage first = Shown();
    EXPECT_EQ(first.pixel(80, 35), Opaque | 0x400000u);
    // Until withdrawn the frame is read in place; afterwards repaints show the copy taken then.
    Area->Withdraw();
    frame->At(0, 0) = 0x123456u;
    frame.reset();
    Area->repaint();
    EXPECT_EQ(Shown(), first);
}

TEST_F(QtPresentWindowTest, OnlyTheChangedRectanglesAreRepainted)
{
    TFrame frame(40, 30);
    PresentCentred(frame);
    // Two pixels change, but only one is reported: the other stays as it was on screen, which shows that the
    // repaint was limited to what changed.
    frame.At(3, 4) = 0x00ABCDEFu;
    frame.At(30, 20) = 0x00FEDCBAu;
    const TFrameRect changed[] = {{3, 4, 4, 5}};
    int32_t x = 0;
    int32_t y = 0;
    Area->ClientOriginOnScreen(x, y);
    x += (Area->ClientWidth() - frame.Width) / 2;
    y += (Area->ClientHeight() - frame.Height) / 2;
    TPixelView view = frame.View();
    view.Whole = false;
    view.Changed = changed;
    Area->Present(view, x, y, frame.Width, frame.Height);
    const QImage onScreen = Area->screen()->grabWindow(Form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = Area->mapTo(&Form, QPoint(80, 35));
    EXPECT_EQ(onScreen.pixel(origin + QPoint(3, 4)), Opaque | 0xABCDEFu);
    EXPECT_EQ(onScreen.pixel(origin + QPoint(30, 20)), Opaque | TFrame::PatternOf(30, 20));
}

TEST_F(QtPresentWindowTest, EmptyFramesAreIgnored)
{
    const TFrame frame(40, 30);
    PresentCentred(frame);
    const QImage first = Shown();
    int32_t x = 0;
    int32_t y = 0;
    Area->ClientOriginOnScreen(x, y);
    Area->Present(TPixelView{}, x, y, 40, 30);
    Area->Present(
        TPixelView{.Pixels = frame.Pixels.data(), .Width = 0, .Height = 30, .PitchPixels = 40, .Whole = true, .Changed = {}},
        x, y, 40, 30);
    Area->Present(frame.View(), x, y, 0, 30);
    EXPECT_EQ(Shown(), first);
}

TEST_F(QtPresentWindowTest, TargetOfAnotherSizeStretchesWithoutSmoothing)
{
    const TFrame frame(20, 10);
    int32_t x = 0;
    int32_t y = 0;
    Area->ClientOriginOnScreen(x, y);
    Area->Present(frame.View(), x + 4, y + 6, 40, 20);
    const QImage shown = Shown();
    for (int sy = 0; sy < 20; ++sy)
        for (int sx = 0; sx < 40; ++sx)
            ASSERT_EQ(shown.pixel(4 + sx, 6 + sy), Opaque | frame.Pixels[static_cast<size_t>((sy / 2) * frame.Pitch + sx / 2)])
                << sx << ", " << sy;
}

TEST_F(QtPresentWindowTest, MousePressesAndResizesReachTheirHandlers)
{
    std::optional<std::tuple<int32_t, int32_t, Qt::MouseButton>> pressed;
    int resized = 0;
    Area->SetMouseDownHandler([&](int32_t x, int32_t y, Qt::MouseButton button) { pressed.emplace(x, y, button); });
    Area->SetBoundsChangedHandler([&] { ++resized; });

    // Before any frame, and outside the frame, a press finds no frame pixel.
    QTest::mousePress(Area, Qt::RightButton, Qt::NoModifier, QPoint(87, 44));
    EXPECT_FALSE(pressed.has_value());
    const TFrame frame(40, 30);
    PresentCentred(frame);
    QTest::mousePress(Area, Qt::RightButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_FALSE(pressed.has_value());
    QTest::mousePress(Area, Qt::RightButton, Qt::NoModifier, QPoint(87, 44));
    ASSERT_TRUE(pressed.has_value());
    EXPECT_EQ(*pressed, std::make_tuple(7, 9, Qt::RightButton));

    Area->resize(150, 90);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(Area->ClientWidth(), 150);
}

// Run under several device pixel ratios (see CMakeLists.txt): each frame pixel covers a whole square of device
// pixels, and the frame sits at the centre of its target.
TEST(QtPresentWindowScaled, FramePixelsBecomeWholeDevicePixelSquares)
{
    QWidget form;
    form.resize(300, 200);
    auto* area = new TQtPresentWindow(&form);
    area->setGeometry(0, 0, 200, 100);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const TFrame frame(40, 30);
    int32_t x = 0;
    int32_t y = 0;
    area->ClientOriginOnScreen(x, y);
    area->Present(frame.View(), x + 80, y + 35, 40, 30);
    const QImage shown = area->grab().toImage().convertToFormat(QImage::Format_RGB32);

    const qreal ratio = area->devicePixelRatioF();
    const int scale = std::max(1, static_cast<int>(std::floor(ratio)));
    std::optional<QPoint> corner;
    for (int sy = 0; sy < shown.height() && !corner; ++sy)
        for (int sx = 0; sx < shown.width() && !corner; ++sx)
            if (shown.pixel(sx, sy) == (Opaque | frame.Pixels[0]))
                corner = QPoint(sx, sy);
    ASSERT_TRUE(corner.has_value());
    for (int fy = 0; fy < frame.Height; ++fy)
        for (int fx = 0; fx < frame.Width; ++fx)
            for (int d = 0; d < scale * scale; ++d)
                ASSERT_EQ(shown.pixel(corner->x() + fx * scale + d % scale, corner->y() + fy * scale + d / scale),
                    Opaque | frame.Pixels[static_cast<size_t>(fy * frame.Pitch + fx)])
                    << fx << ", " << fy << " at ratio " << ratio;
    const QPointF centre = QPointF(*corner) + QPointF(frame.Width, frame.Height) * scale / 2.0;
    EXPECT_NEAR(centre.x(), 100 * ratio, 1.0);
    EXPECT_NEAR(centre.y(), 50 * ratio, 1.0);
}

} // namespace
