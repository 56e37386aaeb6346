// The overlay is painted at presentation over the frame: the screen shows it where its place says and nowhere
// else, and where it was before shows the frame again, however it moves, whether frames come or not.
#include "platform/qt/QtPresentWindow.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

uint32_t PatternOf(int32_t x, int32_t y)
{
    return 0x400000u | static_cast<uint32_t>(x << 8) | static_cast<uint32_t>(y);
}

// A frame whose every pixel differs from the others.
struct TFrame {
    int32_t Width;
    int32_t Height;
    std::vector<uint32_t> Pixels;

    TFrame(int32_t width, int32_t height)
        : Width(width)
        , Height(height)
        , Pixels(static_cast<size_t>(width * height))
    {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                Pixels[static_cast<size_t>(y * width + x)] = PatternOf(x, y) & 0xFFFFFFu;
    }
    // Whole the first time, afterwards nothing changed.
    TPixelView View(bool whole) const
    {
        return {.Pixels = Pixels.data(), .Width = Width, .Height = Height, .PitchPixels = Width, .Whole = whole,
                .Changed = {}};
    }
};

// An overlay that fills far more than its place with one colour: only its place may show it.
struct TOverlay {
    QRect Place;
    QColor Colour{0x12, 0x34, 0x56};

    void Attach(TQtPresentWindow& area)
    {
        area.SetOverlay([this] { return Place; },
            [this](QPainter& painter) { painter.fillRect(QRect(-500, -500, 3000, 3000), Colour); });
    }
};

class PresentOverlayTest : public testing::Test {
protected:
    void SetUp() override
    {
        Form.resize(300, 200);
        Area = new TQtPresentWindow(&Form);
        Area->setGeometry(10, 20, 200, 100);
        Form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
        Overlay.Attach(*Area);
    }

    void Present(bool whole)
    {
        int32_t x = 0;
        int32_t y = 0;
        Area->ClientOriginOnScreen(x, y);
        Area->Present(Frame.View(whole), x + 80, y + 35, Frame.Width, Frame.Height);
    }

    // What the window's backing store holds: only what was repainted, so a stale pixel stays visible here.
    QImage OnScreen() const
    {
        return Area->screen()->grabWindow(Form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Every frame pixel on screen: the overlay's colour inside its place, the frame's own everywhere else.
    void ExpectShown(const QRect& place, const QColor& colour) const
    {
        const QImage shown = OnScreen();
        const QPoint origin = Area->mapTo(&Form, QPoint(80, 35));
        for (int32_t y = 0; y < Frame.Height; ++y)
            for (int32_t x = 0; x < Frame.Width; ++x) {
                const uint32_t expected = place.contains(x, y) ? colour.rgb() : Opaque | PatternOf(x, y);
                ASSERT_EQ(shown.pixel(origin + QPoint(x, y)), expected) << x << ", " << y;
            }
    }

    QWidget Form;
    TQtPresentWindow* Area = nullptr;
    TFrame Frame{40, 30};
    TOverlay Overlay;
};

TEST_F(PresentOverlayTest, ShowsOnlyInItsPlaceAndLeavesNothingBehindWhenItMovesOrGoes)
{
    Present(true);
    ExpectShown({}, {});
    // Frames that change nothing: only the overlay's old and new places are shown anew.
    const struct {
        const char* What;
        QRect Place;
        QRect Shown;
    } steps[] = {
        {"appears", {10, 5, 8, 6}, {10, 5, 8, 6}},
        {"moves apart", {25, 12, 8, 6}, {25, 12, 8, 6}},
        {"moves over itself", {27, 14, 8, 6}, {27, 14, 8, 6}},
        {"grows", {5, 3, 30, 20}, {5, 3, 30, 20}},
        {"shrinks to a pixel", {39, 29, 1, 1}, {39, 29, 1, 1}},
        {"reaches beyond the frame", {35, -4, 20, 10}, {35, 0, 5, 6}},
        {"goes", {}, {}},
        {"comes back", {0, 0, 40, 30}, {0, 0, 40, 30}},
        {"goes again", {}, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.What);
        Overlay.Place = step.Place;
        Present(false);
        EXPECT_EQ(Area->OverlayRect(), step.Shown);
        ExpectShown(step.Shown, Overlay.Colour);
    }
}

TEST_F(PresentOverlayTest, ChangesBetweenFramesShowWhenAskedFor)
{
    Present(true);
    Overlay.Place = {4, 4, 10, 10};
    Area->UpdateOverlay();
    ExpectShown(Overlay.Place, Overlay.Colour);
    // Same place, other picture (the countdown's next second), then elsewhere, without a frame.
    Overlay.Colour = QColor(0xAB, 0xCD, 0xEF);
    Area->UpdateOverlay();
    ExpectShown(Overlay.Place, Overlay.Colour);
    Overlay.Place = {20, 10, 6, 6};
    Area->UpdateOverlay();
    ExpectShown(Overlay.Place, Overlay.Colour);
    // A full repaint paints it too.
    Area->repaint();
    ExpectShown(Overlay.Place, Overlay.Colour);
    // Taken away altogether.
    Area->SetOverlay({}, {});
    ExpectShown({}, {});
}

TEST_F(PresentOverlayTest, NothingShowsBeforeTheFirstFrame)
{
    Overlay.Place = {0, 0, 10, 10};
    Area->UpdateOverlay();
    EXPECT_TRUE(Area->OverlayRect().isEmpty());
    const QImage shown = OnScreen();
    const QPoint origin = Area->mapTo(&Form, QPoint(80, 35));
    EXPECT_EQ(shown.pixel(origin), Area->palette().window().color().rgb());
}

} // namespace

// Run at every scale and density (see CMakeLists.txt): the repainted parts cover the overlay's smoothed edges
// too, so after it has wandered across a full-size frame the screen is what a full repaint shows.
TEST(QtPresentWindowScaled, AWanderingOverlayLeavesNothingBehind)
{
    QWidget form;
    const int ppi = std::max(96, qRound(form.screen()->logicalDotsPerInch()));
    form.resize(1076 * ppi / 96, 810 * ppi / 96);
    auto* area = new TQtPresentWindow(&form);
    area->setGeometry(0, 41, 1076, 750);
    if (ppi != 96) {
        area->SetAreaMode(TQtPresentWindow::TAreaMode::Fill);
        area->setGeometry(0, 41 * ppi / 96, 1076 * ppi / 96, 750 * ppi / 96);
    }
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const TFrame frame(1076, 750);
    QRectF place;
    // Text and a smoothed ellipse, at places that fall between device pixels.
    area->SetOverlay([&place] { return place.toAlignedRect(); },
        [&place](QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(200, 30, 30, 160));
            painter.drawEllipse(place);
            painter.drawText(place, Qt::AlignCenter, QStringLiteral("15"));
        });
    int32_t x = 0;
    int32_t y = 0;
    area->ClientOriginOnScreen(x, y);
    const auto present = [&](bool whole) {
        area->Present(frame.View(whole), x + (area->ClientWidth() - 1076) / 2, y + (area->ClientHeight() - 750) / 2,
            1076, 750);
    };
    const auto onScreen = [&form] {
        return form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    present(true);
    const QImage bare = onScreen();
    for (int step = 0; step < 40; ++step) {
        place = QRectF(13.3 + step * 25.7, 7.6 + step * 17.1, 30.5 + step % 7, 20.25);
        present(false);
        if (step == 0) {
            EXPECT_FALSE(onScreen() == bare) << "the overlay did not show";
        }
    }
    place = QRectF();
    present(false);
    const QImage incremental = onScreen();
    area->repaint();
    const QImage full = onScreen();
    ASSERT_EQ(incremental.size(), full.size());
    EXPECT_TRUE(incremental == full) << "stale overlay pixels remain";
}
