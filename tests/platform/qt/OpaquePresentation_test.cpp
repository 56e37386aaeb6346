#include "platform/qt/OpaquePainting.h"
#include "platform/qt/QtPresentWindow.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Frame pixels as the drawing library leaves them: the top byte 0, or anything, never alpha.
uint32_t FramePixel(int32_t x, int32_t y)
{
    return (x % 7 == 0 ? 0xAB000000u : 0u) | (0x5656FFu ^ static_cast<uint32_t>(x << 8 | y));
}

// The widget painted into a buffer that keeps alpha and starts see-through, the way a Wayland window's
// shared-memory buffer does.
QImage PaintedWithAlpha(QWidget& widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    QImage target(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(ratio);
    target.fill(Qt::transparent);
    widget.render(&target);
    return target;
}

// Also run on high-density screens (the name matches the scaled runs in CMakeLists.txt).
TEST(QtPresentWindowScaledOpacity, TheDrawingAreaIsOpaqueWhereverItIsPaintedIntoAlpha)
{
    QWidget form;
    form.resize(240, 160);
    auto* area = new TQtPresentWindow(&form);
    area->setGeometry(20, 10, 200, 100);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    constexpr int32_t Width = 160;
    constexpr int32_t Height = 80;
    std::vector<uint32_t> pixels(Width * Height);
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x)
            pixels[static_cast<size_t>(y * Width + x)] = FramePixel(x, y);
    int32_t left = 0;
    int32_t top = 0;
    area->ClientOriginOnScreen(left, top);
    const TPixelView whole{.Pixels = pixels.data(), .Width = Width, .Height = Height, .PitchPixels = Width,
        .Whole = true, .Changed = {}};
    // Before the first frame, with a whole frame, and after a frame of changed rectangles only.
    const TFrameRect changed[] = {{5, 5, 60, 30}, {100, 40, 160, 80}};
    TPixelView partial = whole;
    partial.Whole = false;
    partial.Changed = changed;
    const struct {
        const char* Name;
        const TPixelView* Frame;
    } cases[] = {{"no frame yet", nullptr}, {"whole frame", &whole}, {"changed rectangles", &partial}};
    for (const auto& c : cases) {
        if (c.Frame != nullptr)
            area->Present(*c.Frame, left + 20, top + 10, Width, Height);
        const QImage painted = PaintedWithAlpha(*area);
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                ASSERT_EQ(qAlpha(painted.pixel(x, y)), 255) << c.Name << " at " << x << ", " << y;
        if (c.Frame == nullptr || area->devicePixelRatioF() != 1.0)
            continue;
        // Opaque with the colours unchanged: the frame pixel for pixel, the background around it.
        for (int32_t y = 0; y < Height; ++y)
            for (int32_t x = 0; x < Width; ++x)
                ASSERT_EQ(painted.pixel(20 + x, 10 + y), 0xFF000000u | (FramePixel(x, y) & 0xFFFFFFu))
                    << c.Name << " at " << x << ", " << y;
        EXPECT_EQ(painted.pixel(5, 5), area->palette().window().color().rgb()) << c.Name;
    }
}

TEST(OpaquePainting, RaisesAlphaOnlyAndKeepsColoursAndOpaqueTargets)
{
    // Premultiplied pixels of every alpha the raster copy can leave, over a target with and without alpha.
    const uint32_t pixels[] = {0x00123456u, 0x80402010u, 0xFF5656FFu, 0x00000000u, 0x7F7F7F7Fu};
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        QImage image(5, 2, format);
        for (int x = 0; x < 5; ++x) {
            image.setPixel(x, 0, pixels[x]);
            image.setPixel(x, 1, pixels[x]);
        }
        const QImage before = image.copy();
        {
            QPainter painter(&image);
            MakeOpaque(painter, QRegion(0, 0, 5, 1));
        }
        for (int x = 0; x < 5; ++x) {
            const uint32_t expected = format == QImage::Format_RGB32 ? before.pixel(x, 0) : 0xFF000000u | pixels[x];
            EXPECT_EQ(image.pixel(x, 0), expected) << format << " pixel " << x;
            EXPECT_EQ(image.pixel(x, 1), before.pixel(x, 1)) << format << " outside the region, pixel " << x;
        }
    }
}

} // namespace
