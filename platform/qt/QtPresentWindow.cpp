#include "platform/qt/QtPresentWindow.h"
#include "platform/qt/OpaquePainting.h"

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
    const QRect target(mapFromGlobal(QPoint(left, top)), QSize(width, height));
    const auto* bits = reinterpret_cast<const uchar*>(frame.Pixels);
    const qsizetype pitch = frame.PitchPixels * static_cast<qsizetype>(sizeof(uint32_t));
    const bool sameFrame = !FFrame.isNull() && FFrame.constBits() == bits && FFrame.width() == frame.Width
        && FFrame.height() == frame.Height && FFrame.bytesPerLine() == pitch && target == FTarget;
    FTarget = target;
    if (!sameFrame || frame.Whole) {
        // The frame's own memory, read in place. X and the raster backing stores take RGB32 as it comes and
        // ignore the top byte, which our pixels keep 0.
        FFrame = QImage(bits, frame.Width, frame.Height, pitch, QImage::Format_RGB32);
        repaint();
        return;
    }
    const QRectF shown = ShownRect();
    const qreal size = FramePixelSize();
    // At a fractional scale a frame pixel's edge falls inside a device pixel; a margin keeps such pixels in.
    const int margin = size == std::floor(size) ? 0 : 1;
    QRegion changed;
    for (const TFrameRect& r : frame.Changed) {
        const QRectF area(shown.left() + r.Left * size, shown.top() + r.Top * size, (r.Right - r.Left) * size,
            (r.Bottom - r.Top) * size);
        changed += area.toAlignedRect().adjusted(-margin, -margin, margin, margin);
    }
    if (!changed.isEmpty())
        repaint(changed);
}

void TQtPresentWindow::Withdraw()
{
    // The pixels are about to go: keep what is on show for repaints until the next frame comes.
    if (!FFrame.isNull())
        FFrame = FFrame.copy();
}

qreal TQtPresentWindow::FramePixelSize() const
{
    if (FTarget.size() != FFrame.size())
        return 1.0;
    const qreal ratio = devicePixelRatioF();
    return std::max<qreal>(1.0, std::floor(ratio)) / ratio;
}

QRectF TQtPresentWindow::ShownRect() const
{
    QRectF shown(FTarget);
    if (FTarget.size() != FFrame.size())
        return shown;
    // One frame pixel to a whole number of device pixels, placed on a device pixel, centred in the target.
    const qreal ratio = devicePixelRatioF();
    const qreal size = FramePixelSize();
    const QSizeF extent(FFrame.width() * size, FFrame.height() * size);
    const QPointF centre = shown.center();
    return QRectF(QPointF(std::round((centre.x() - extent.width() / 2) * ratio) / ratio,
                      std::round((centre.y() - extent.height() / 2) * ratio) / ratio),
        extent);
}

bool TQtPresentWindow::FramePixelAt(QPointF point, int32_t& x, int32_t& y) const
{
    if (FFrame.isNull())
        return false;
    const QRectF shown = ShownRect();
    const double fx = std::floor((point.x() - shown.left()) / shown.width() * FFrame.width());
    const double fy = std::floor((point.y() - shown.top()) / shown.height() * FFrame.height());
    if (fx < 0 || fy < 0 || fx >= FFrame.width() || fy >= FFrame.height())
        return false;
    x = static_cast<int32_t>(fx);
    y = static_cast<int32_t>(fy);
    return true;
}

void TQtPresentWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (FFrame.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    const QRectF shown = ShownRect();
    FFrame.setDevicePixelRatio(1.0 / FramePixelSize());
    // Background only where the frame covers no whole logical pixel; the frame is drawn over the seams.
    const QRect inside(QPoint(static_cast<int>(std::ceil(shown.left())), static_cast<int>(std::ceil(shown.top()))),
        QPoint(static_cast<int>(std::floor(shown.right())) - 1, static_cast<int>(std::floor(shown.bottom())) - 1));
    for (const QRect& part : event->region().subtracted(QRegion(inside)))
        painter.fillRect(part, palette().window());
    // Each part on its own, so the raster engine copies plain rectangles.
    for (const QRect& part : event->region()) {
        painter.setClipRect(part);
        if (shown.size() == FFrame.deviceIndependentSize())
            painter.drawImage(shown.topLeft(), FFrame);
        else
            painter.drawImage(shown, FFrame);
    }
    MakeOpaque(painter, event->region());
}

void TQtPresentWindow::mousePressEvent(QMouseEvent* event)
{
    int32_t x = 0;
    int32_t y = 0;
    if (FOnMouseDown && FramePixelAt(event->position(), x, y))
        FOnMouseDown(x, y, event->button());
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
