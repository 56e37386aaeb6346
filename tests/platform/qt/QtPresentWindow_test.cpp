#include "platform/qt/QtPresentWindow.h"
#include "platform/qt/SharpScale.h"

#include <QApplication>
#include <QMouseEvent>

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

// Run under several device pixel ratios (see CMakeLists.txt): at a whole one each frame pixel covers a whole
// square of device pixels, and the frame sits at the centre of its target.
TEST(QtPresentWindowScaled, FramePixelsBecomeWholeDevicePixelSquares)
{
    if (qApp->devicePixelRatio() != std::floor(qApp->devicePixelRatio()))
        GTEST_SKIP() << "frame pixels are mixed at their edges at a fractional scale";
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

namespace {

// The drawing area at its place in a window, as the main window lays it out for the screen's density.
struct TScaledArea {
    QWidget Form;
    TQtPresentWindow* Area;
    int Ppi;

    TScaledArea()
        : Area(new TQtPresentWindow(&Form))
        , Ppi(std::max(96, qRound(Form.screen()->logicalDotsPerInch())))
    {
        Form.resize(1076 * Ppi / 96, 810 * Ppi / 96);
        Area->setGeometry(0, 41, 1076, 750);
        if (Ppi != 96) {
            Area->SetAreaMode(TQtPresentWindow::TAreaMode::Fill);
            Area->setGeometry(0, 41 * Ppi / 96, 1076 * Ppi / 96, 750 * Ppi / 96);
        }
        Form.show();
    }
    void Present(const TPixelView& view)
    {
        int32_t x = 0;
        int32_t y = 0;
        Area->ClientOriginOnScreen(x, y);
        Area->Present(view, x + (Area->ClientWidth() - view.Width) / 2, y + (Area->ClientHeight() - view.Height) / 2,
            view.Width, view.Height);
    }
    QImage Shown() { return Form.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // A press on one device pixel of the window, at the logical position the toolkit reports for it.
    void PressAt(int32_t deviceX, int32_t deviceY)
    {
        const qreal ratio = Area->devicePixelRatioF();
        const QPointF local = QPointF(deviceX, deviceY) / ratio - QPointF(Area->mapTo(&Form, QPoint(0, 0)));
        QMouseEvent press(QEvent::MouseButtonPress, local, Area->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(Area, &press);
    }
};

// Columns and rows alternate, so a device pixel shows either one frame pixel or a mix of two neighbours.
uint32_t Alternating(int32_t x, int32_t y)
{
    return (x % 2 == 0 ? 0x000000u : 0xFF0000u) | (y % 2 == 0 ? 0x000000u : 0x00FF00u) | 0x40u;
}

int Distance(QRgb shown, uint32_t colour, int shift)
{
    return std::abs(static_cast<int>((shown >> shift) & 0xFFu) - static_cast<int>((colour >> shift) & 0xFFu));
}

} // namespace

// Run at every scale and density (see CMakeLists.txt): a press on any device column or row names the frame
// pixel that device pixel shows, or the one that weighs most where two are mixed, and every frame column and
// row is reached.
TEST(QtPresentWindowScaled, TheProbeNamesThePixelShownUnderEveryColumnAndRow)
{
    TScaledArea window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Form));
    TFrame frame(1076, 750);
    for (int32_t y = 0; y < frame.Height; ++y)
        for (int32_t x = 0; x < frame.Width; ++x)
            frame.At(x, y) = Alternating(x, y);
    window.Present(frame.View());
    std::optional<QPoint> probed;
    window.Area->SetMouseDownHandler([&](int32_t x, int32_t y, Qt::MouseButton) { probed = QPoint(x, y); });
    const QImage shown = window.Shown();
    const TDeviceRect area = window.Area->Transform().Shown();
    ASSERT_GE(area.Width, 1076);

    for (const bool columns : {true, false}) {
        const int32_t count = columns ? area.Width : area.Height;
        const int32_t across = columns ? area.Top + area.Height / 2 : area.Left + area.Width / 3;
        int32_t last = -1;
        for (int32_t d = 0; d < count; ++d) {
            const int32_t dx = columns ? area.Left + d : across;
            const int32_t dy = columns ? across : area.Top + d;
            probed.reset();
            window.PressAt(dx, dy);
            ASSERT_TRUE(probed.has_value()) << dx << ", " << dy;
            const int32_t at = columns ? probed->x() : probed->y();
            ASSERT_TRUE(at == last || at == last + 1) << "device " << dx << ", " << dy << " named " << at;
            last = at;
            // Red tells the columns apart, green the rows.
            const int shift = columns ? 16 : 8;
            const QRgb pixel = shown.pixel(dx, dy);
            const uint32_t own = Alternating(probed->x(), probed->y());
            const uint32_t other = Alternating(probed->x() + (columns ? 1 : 0), probed->y() + (columns ? 0 : 1));
            ASSERT_LE(Distance(pixel, own, shift), Distance(pixel, other, shift) + 1)
                << "device " << dx << ", " << dy << " shows " << std::hex << pixel;
        }
        EXPECT_EQ(last, columns ? 1075 : 749);
    }
    // Beside the frame no frame pixel is named.
    probed.reset();
    window.PressAt(area.Left + area.Width, area.Top);
    window.PressAt(area.Left, area.Top - 1);
    EXPECT_FALSE(probed.has_value());
}

// Frames that change in places, each presented with only its changed rectangles, leave on screen exactly the
// last frame under the transform.
TEST(QtPresentWindowScaled, AfterManyChangedFramesTheScreenShowsTheFrameUnderTheTransform)
{
    TScaledArea window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Form));
    TFrame frame(1076, 750);
    window.Present(frame.View());
    uint32_t seed = 12345;
    const auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int32_t>((seed >> 8) % range);
    };
    for (int tick = 0; tick < 120; ++tick) {
        std::vector<TFrameRect> changed;
        for (int r = 0; r < 3; ++r) {
            const int32_t left = next(1070);
            const int32_t top = next(744);
            const TFrameRect rect{left, top, left + 1 + next(30), top + 1 + next(30)};
            const uint32_t colour = static_cast<uint32_t>(next(0x1000000));
            for (int32_t y = rect.Top; y < std::min(rect.Bottom, 750); ++y)
                for (int32_t x = rect.Left; x < std::min(rect.Right, 1076); ++x)
                    frame.At(x, y) = (x + y) % 3 == 0 ? colour : colour ^ 0x808080u;
            changed.push_back({rect.Left, rect.Top, std::min(rect.Right, 1076), std::min(rect.Bottom, 750)});
        }
        TPixelView view = frame.View();
        view.Whole = false;
        view.Changed = changed;
        window.Present(view);
    }
    const QImage shown = window.Shown();
    const TPresentTransform& transform = window.Area->Transform();
    const TDeviceRect area = transform.Shown();
    QImage expected(area.Width, area.Height, QImage::Format_RGB32);
    SharpScale(frame.Pixels.data(), frame.Pitch, transform, reinterpret_cast<uint32_t*>(expected.bits()),
        expected.bytesPerLine() / 4, 0, 0, area.Width, area.Height);
    for (int32_t y = 0; y < area.Height; ++y)
        for (int32_t x = 0; x < area.Width; ++x)
            ASSERT_EQ(shown.pixel(area.Left + x, area.Top + y), expected.pixel(x, y)) << x << ", " << y;
    // The whole frame is the same thing presented at once.
    window.Present(frame.View());
    EXPECT_EQ(window.Shown(), shown);
}
