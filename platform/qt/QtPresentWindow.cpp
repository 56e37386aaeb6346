#include "platform/qt/QtPresentWindow.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>

namespace {

// Pixels as given are 0x00RRGGBB; the image wants an opaque top byte.
constexpr uint32_t Opaque = 0xFF000000u;

} // namespace

TQtPresentWindow::TQtPresentWindow(QWidget* parent)
    : QWidget(parent)
{
    // The paint event covers every pixel: the frame plus the background around it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TQtPresentWindow::HasParentForm() const
{
    return parentWidget() != nullptr;
}

int32_t TQtPresentWindow::ClientWidth() const
{
    return width();
}

int32_t TQtPresentWindow::ClientHeight() const
{
    return height();
}

void TQtPresentWindow::ClientOriginOnScreen(int32_t& x, int32_t& y) const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    x = origin.x();
    y = origin.y();
}

void TQtPresentWindow::WaitForVerticalBlank()
{
    // X11 offers no wait for the vertical blank; sleeping to the next refresh boundary of the screen's rate
    // paces the frames the same way without spinning.
    const double rate = screen() != nullptr && screen()->refreshRate() >= 20 ? screen()->refreshRate() : 60.0;
    const auto period = std::chrono::nanoseconds(static_cast<int64_t>(1e9 / rate));
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto next = (now / period + 1) * period;
    std::this_thread::sleep_for(next - now);
}

void TQtPresentWindow::Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (frame.Pixels == nullptr || frame.Width <= 0 || frame.Height <= 0 || frame.PitchPixels < frame.Width
        || width <= 0 || height <= 0)
        return;
    CopyFrame(frame);
    FTarget = QRect(mapFromGlobal(QPoint(left, top)), QSize(width, height));
    repaint();
}

void TQtPresentWindow::CopyFrame(const TPixelView& frame)
{
    if (FFrame.width() != frame.Width || FFrame.height() != frame.Height)
        FFrame = QImage(frame.Width, frame.Height, QImage::Format_RGB32);
    for (int32_t y = 0; y < frame.Height; ++y) {
        const uint32_t* source = frame.Pixels + frame.PitchPixels * y;
        auto* row = reinterpret_cast<uint32_t*>(FFrame.scanLine(y));
        std::transform(source, source + frame.Width, row, [](uint32_t pixel) { return pixel | Opaque; });
    }
}

void TQtPresentWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (FFrame.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    QRectF shown(FTarget);
    if (FTarget.size() == FFrame.size()) {
        // One frame pixel to a whole number of device pixels, placed on a device pixel, centred in the target.
        const qreal ratio = devicePixelRatioF();
        const qreal scale = std::max<qreal>(1.0, std::floor(ratio));
        FFrame.setDevicePixelRatio(ratio / scale);
        const QSizeF size = FFrame.deviceIndependentSize();
        const QPointF centre = shown.center();
        shown = QRectF(QPointF(std::round((centre.x() - size.width() / 2) * ratio) / ratio,
                           std::round((centre.y() - size.height() / 2) * ratio) / ratio),
            size);
    } else {
        FFrame.setDevicePixelRatio(1.0);
    }
    // Background only where the frame covers no whole logical pixel; the frame is drawn over the seams.
    const QRect inside(QPoint(static_cast<int>(std::ceil(shown.left())), static_cast<int>(std::ceil(shown.top()))),
        QPoint(static_cast<int>(std::floor(shown.right())) - 1, static_cast<int>(std::floor(shown.bottom())) - 1));
    for (const QRect& part : QRegion(event->rect()).subtracted(QRegion(inside)))
        painter.fillRect(part, palette().window());
    if (shown.size() == FFrame.deviceIndependentSize())
        painter.drawImage(shown.topLeft(), FFrame);
    else
        painter.drawImage(shown, FFrame);
}

void TQtPresentWindow::mousePressEvent(QMouseEvent* event)
{
    if (FOnMouseDown) {
        const QPoint at = event->position().toPoint();
        FOnMouseDown(at.x(), at.y(), event->button());
    }
    event->accept();
}

void TQtPresentWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FOnBoundsChanged)
        FOnBoundsChanged();
}

void TQtPresentWindow::SetMouseDownHandler(MouseDownHandler handler)
{
    FOnMouseDown = std::move(handler);
}

void TQtPresentWindow::SetBoundsChangedHandler(BoundsChangedHandler handler)
{
    FOnBoundsChanged = std::move(handler);
}
