// What the drawing area shows follows the back buffer exactly through a long race, though each present
// repaints only what changed. Run at several device pixel ratios (see CMakeLists.txt).
#include "drawing/Surface.h"
#include "platform/HeadlessApplication.h"
#include "platform/qt/SharpScale.h"
#include "simulation/FrameSize.h"
#include "simulation/Quibo.h"
#include "ui/MainForm.h"

#include "tests/platform/qt/TestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Compares the window's backing store with the back buffer under the drawing area's transform: every device
// pixel, or only every seventh row and column.
void ExpectShownEqualsBackBuffer(TMainForm& form, bool everyPixel, int tick)
{
    // At scale 1 the screen's own grab shows what the repaints left; scaled, the offscreen platform grabs the
    // wrong part of its store, so the window is painted anew, which still checks every device pixel it paints.
    const QImage shown = (form.devicePixelRatioF() == 1.0 ? form.screen()->grabWindow(form.winId()) : form.grab())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const TPresentTransform& transform = form.DXDraw1Window->Transform();
    const TDeviceRect area = transform.Shown();
    const TSurfaceReadLock lock(form.Session.DXDraw1.Surface());
    ASSERT_TRUE(lock.Locked());
    const TLockedPixels& back = lock.Pixels();
    ASSERT_EQ(transform.X.Frame(), back.Width);
    ASSERT_EQ(transform.Y.Frame(), back.Height);
    QImage expected(area.Width, area.Height, QImage::Format_RGB32);
    SharpScale(back.Bits, back.PitchPixels, transform, reinterpret_cast<uint32_t*>(expected.bits()),
        expected.bytesPerLine() / 4, 0, 0, area.Width, area.Height);
    const int step = everyPixel ? 1 : 7;
    for (int32_t y = 0; y < area.Height; y += step)
        for (int32_t x = 0; x < area.Width; x += step)
            ASSERT_EQ(shown.pixel(area.Left + x, area.Top + y) & 0xFFFFFFu, expected.pixel(x, y) & 0xFFFFFFu)
                << "tick " << tick << " device pixel " << x << "," << y;
}

TEST(QtPresentWindowScaledRace, TheScreenFollowsTheBackBufferThroughALongRace)
{
    THeadlessApplication application;
    TMainForm form(application, true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(WaitFor([&] { return form.Session.DXDraw1.Initialized(); }));
    form.Session.Race.WindVariation = 40;
    form.Session.Race.WindSpeed = 20;
    TRace& race = form.Session.Race;
    for (int t = 0; t < 700; ++t) {
        race.Dinghies[0]->Tiller = (t / 23) % 3;
        race.Dinghies[1]->Tiller = (t / 17 + 1) % 3;
        if (t % 250 == 120)
            StartExplosion(*race.Dinghies[t % 500 == 120 ? 0 : 1], race);
        if (t % 250 == 249)
            form.SpeedButtonStartClick();
        if (t == 400) {
            // Paused, the window repaints from what it was last given; the probe reads the pixel under the
            // pointer and its box comes and goes over the window.
            form.SpeedButtonStopClick();
            form.DXDraw1Window->repaint();
            ExpectShownEqualsBackBuffer(form, true, t);
            QString text;
            QTimer::singleShot(50, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
                        text = box->text();
                        box->accept();
                    }
            });
            const QRectF frame = form.DXDraw1Window->ShownRect();
            const QPointF at = frame.topLeft() + QPointF(300.5, 200.5) * (frame.width() / FrameWidth);
            QTest::mouseClick(form.DXDraw1Window, Qt::LeftButton, Qt::NoModifier,
                              QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))));
            EXPECT_EQ(text, QString("300, 200: %1").arg(form.Session.DXDraw1.Surface()->ReadPixel(300, 200)));
            form.SpeedButtonPlayClick();
        }
        race.DXTimer1Timer(1);
        ExpectShownEqualsBackBuffer(form, t % 50 == 0, t);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
