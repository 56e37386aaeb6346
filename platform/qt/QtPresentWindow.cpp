#include "platform/qt/QtPresentWindow.h"
#include "platform/qt/OpaquePainting.h"

#include "platform/qt/SharpScale.h"
#include "platform/qt/WaylandPlane.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <qpa/qplatformwindow.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

TQtPresentWindow::TQtPresentWindow(QWidget* parent)
    : QWidget(parent)
{
    // The paint event covers every pixel: the frame plus the background around it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TQtPresentWindow::~TQtPresentWindow() = default;

bool TQtPresentWindow::HasParentForm() const
{
    return parentWidget() != nullptr;
}

int32_t TQtPresentWindow::ClientWidth() const
{
    return FAreaMode == TAreaMode::Target ? width() : FKeptClientSize.width();
}

int32_t TQtPresentWindow::ClientHeight() const
{
    return FAreaMode == TAreaMode::Target ? height() : FKeptClientSize.height();
}

void TQtPresentWindow::SetAreaMode(TAreaMode mode)
{
    if (FAreaMode == TAreaMode::Target)
        FKeptClientSize = size();
    FAreaMode = mode;
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
    FTarget = QRect(mapFromGlobal(QPoint(left, top)), QSize(width, height));
    const TPresentTransform transform = TPresentTransform::Fit(frame.Width, frame.Height, TargetArea(), FAreaMode == TAreaMode::WholeFactors);
    const auto* bits = reinterpret_cast<const uchar*>(frame.Pixels);
    const qsizetype pitch = frame.PitchPixels * static_cast<qsizetype>(sizeof(uint32_t));
    const bool sameFrame = !FFrame.isNull() && FFrame.constBits() == bits && FFrame.width() == frame.Width
        && FFrame.height() == frame.Height && FFrame.bytesPerLine() == pitch && transform == FTransform;
    if (!sameFrame || frame.Whole) {
        // The frame's own memory, read in place. X and the raster backing stores take RGB32 as it comes and
        // ignore the top byte, which our pixels keep 0.
        FFrame = QImage(bits, frame.Width, frame.Height, pitch, QImage::Format_RGB32);
        FTransform = transform;
        if (FTransform.Factor() == 0) {
            if (FScaled.width() != FTransform.X.Shown() || FScaled.height() != FTransform.Y.Shown())
                FScaled = QImage(FTransform.X.Shown(), FTransform.Y.Shown(), QImage::Format_RGB32);
            ScaleFrame(FTransform.Shown());
        } else {
            FScaled = QImage();
        }
        MoveOverlay();
        ShowAnew(QRegion(rect()));
        return;
    }
    // Each changed rectangle with the device pixels that mix its edge pixels with their neighbours.
    QRegion changed;
    for (const TFrameRect& r : frame.Changed) {
        const TDeviceRect device = FTransform.DeviceRectOf(r.Left, r.Top, r.Right, r.Bottom);
        if (FTransform.Factor() == 0)
            ScaleFrame(device);
        changed += LogicalRectOf(device);
    }
    changed += MoveOverlay();
    if (!changed.isEmpty())
        ShowAnew(changed);
}

void TQtPresentWindow::ShowAnew(const QRegion& region)
{
    if (PlaneReady())
        ShowOnPlane(region);
    else
        repaint(region);
}

void TQtPresentWindow::ShowOnPlane(const QRegion& region)
{
    FPlane->Show(region, [this](QPainter& painter, const QRegion& part) { PaintArea(painter, part); });
}

bool TQtPresentWindow::PlaneReady()
{
    QWindow* handle = window()->windowHandle();
    if (FPlaneRefused || handle == nullptr || handle->handle() == nullptr || !isVisible() || !handle->isExposed())
        return false;
    // Only where the window's logical pixels are the compositor's: a whole buffer scale and no scaling of Qt's
    // own on top (the plane's place and size are given in the compositor's units).
    const qreal ratio = handle->handle()->devicePixelRatio();
    if (handle->devicePixelRatio() != ratio || ratio != std::floor(ratio) || ratio < 1) {
        DropPlane();
        return false;
    }
    if (FPlane != nullptr && !FPlane->SitsOn(*handle))
        DropPlane();
    if (FPlane == nullptr) {
        FPlane = TWaylandPlane::Create(*handle);
        FPlaneRefused = FPlane == nullptr;
        if (FPlaneRefused)
            return false;
    }
    const QMargins margins = handle->frameMargins();
    const QRect area(mapTo(window(), QPoint(0, 0)) + QPoint(margins.left(), margins.top()), size());
    if (area != FPlaced) {
        FPlane->Place(area, static_cast<int>(ratio));
        FPlaced = area;
        // The window's next commit puts the plane in its new place.
        update();
    }
    return true;
}

void TQtPresentWindow::DropPlane()
{
    if (FPlane == nullptr)
        return;
    FPlane.reset();
    FPlaced = QRect();
    // What lies under it was never painted.
    update();
}

void TQtPresentWindow::Withdraw()
{
    // The pixels are about to go: keep what is on show for repaints until the next frame comes.
    if (!FFrame.isNull())
        FFrame = FFrame.copy();
}

QPointF TQtPresentWindow::DeviceOrigin() const
{
    return QPointF(mapTo(window(), QPoint(0, 0))) * devicePixelRatioF();
}

TDeviceRect TQtPresentWindow::TargetArea() const
{
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = DeviceOrigin();
    if (FAreaMode != TAreaMode::Target) {
        const auto left = static_cast<int32_t>(std::ceil(origin.x()));
        const auto top = static_cast<int32_t>(std::ceil(origin.y()));
        return {left, top, static_cast<int32_t>(std::floor(origin.x() + width() * ratio)) - left,
            static_cast<int32_t>(std::floor(origin.y() + height() * ratio)) - top};
    }
    const auto left = static_cast<int32_t>(std::lround(origin.x() + FTarget.left() * ratio));
    const auto top = static_cast<int32_t>(std::lround(origin.y() + FTarget.top() * ratio));
    return {left, top, static_cast<int32_t>(std::lround(origin.x() + (FTarget.left() + FTarget.width()) * ratio)) - left,
        static_cast<int32_t>(std::lround(origin.y() + (FTarget.top() + FTarget.height()) * ratio)) - top};
}

QRect TQtPresentWindow::LogicalRectOf(const TDeviceRect& device) const
{
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = DeviceOrigin();
    return QRectF((device.Left - origin.x()) / ratio, (device.Top - origin.y()) / ratio, device.Width / ratio,
        device.Height / ratio)
        .toAlignedRect();
}

void TQtPresentWindow::ScaleFrame(const TDeviceRect& device)
{
    const int32_t x0 = std::clamp(device.Left - FTransform.Left, 0, FTransform.X.Shown());
    const int32_t y0 = std::clamp(device.Top - FTransform.Top, 0, FTransform.Y.Shown());
    const int32_t x1 = std::clamp(device.Left + device.Width - FTransform.Left, x0, FTransform.X.Shown());
    const int32_t y1 = std::clamp(device.Top + device.Height - FTransform.Top, y0, FTransform.Y.Shown());
    SharpScale(reinterpret_cast<const uint32_t*>(FFrame.constBits()), FFrame.bytesPerLine() / 4, FTransform,
        reinterpret_cast<uint32_t*>(FScaled.bits()), FScaled.bytesPerLine() / 4, x0, y0, x1, y1);
}

QRectF TQtPresentWindow::ShownRect() const
{
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = DeviceOrigin();
    const TDeviceRect shown = FTransform.Shown();
    return QRectF((shown.Left - origin.x()) / ratio, (shown.Top - origin.y()) / ratio, shown.Width / ratio,
        shown.Height / ratio);
}

bool TQtPresentWindow::FramePixelAt(QPointF point, int32_t& x, int32_t& y) const
{
    if (FFrame.isNull())
        return false;
    // The pointer sits on a whole device pixel; its logical position is that divided by the ratio.
    const QPointF device = DeviceOrigin() + point * devicePixelRatioF();
    return FTransform.FramePixelAt(static_cast<int32_t>(std::lround(device.x())),
        static_cast<int32_t>(std::lround(device.y())), x, y);
}

void TQtPresentWindow::paintEvent(QPaintEvent* event)
{
    // Under the plane the widget's own pixels are never seen: what it would paint goes there.
    if (!FFrame.isNull() && PlaneReady()) {
        ShowOnPlane(event->region());
        return;
    }
    QPainter painter(this);
    PaintArea(painter, event->region());
    MakeOpaque(painter, event->region());
}

void TQtPresentWindow::PaintArea(QPainter& painter, const QRegion& region) const
{
    if (FFrame.isNull()) {
        painter.fillRect(region.boundingRect(), palette().window());
        return;
    }
    const QRectF shown = ShownRect();
    // One image pixel to a square of device pixels at a whole factor, else one to one from the scaled picture.
    const QImage& image = FTransform.Factor() > 0 ? FFrame : FScaled;
    // Background only where the frame covers no whole logical pixel; the frame is drawn over the seams.
    const QRect inside(QPoint(static_cast<int>(std::ceil(shown.left())), static_cast<int>(std::ceil(shown.top()))),
        QPoint(static_cast<int>(std::floor(shown.right())) - 1, static_cast<int>(std::floor(shown.bottom())) - 1));
    for (const QRect& part : region.subtracted(QRegion(inside)))
        painter.fillRect(part, palette().window());
    // Each part on its own, so the raster engine copies plain rectangles.
    for (const QRect& part : region) {
        painter.setClipRect(part);
        painter.drawImage(shown, image, QRectF(image.rect()));
    }
    painter.setClipping(false);
    PaintOverlay(painter, region);
}

void TQtPresentWindow::SetOverlay(OverlayPlace place, OverlayPaint paint)
{
    FOverlayPlace = std::move(place);
    FOverlayPaint = std::move(paint);
    UpdateOverlay();
}

void TQtPresentWindow::UpdateOverlay()
{
    if (FFrame.isNull())
        return;
    if (const QRegion region = MoveOverlay(); !region.isEmpty())
        ShowAnew(region);
}

QRegion TQtPresentWindow::MoveOverlay()
{
    // Shown anew even where it stays: what it shows there may have changed.
    QRegion region(WidgetRectOf(FOverlayRect));
    const QRect frame(0, 0, FFrame.width(), FFrame.height());
    FOverlayRect = FOverlayPlace && FOverlayPaint ? FOverlayPlace() & frame : QRect();
    region += WidgetRectOf(FOverlayRect);
    return region;
}

QRect TQtPresentWindow::WidgetRectOf(const QRect& frameRect) const
{
    if (frameRect.isEmpty() || FFrame.isNull())
        return {};
    const QRectF shown = ShownRect();
    const qreal sx = shown.width() / FFrame.width();
    const qreal sy = shown.height() / FFrame.height();
    // A pixel more on every side for the smoothed edges of a fractional scale.
    return QRectF(shown.left() + frameRect.left() * sx, shown.top() + frameRect.top() * sy, frameRect.width() * sx,
        frameRect.height() * sy)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1)
        & rect();
}

void TQtPresentWindow::PaintOverlay(QPainter& painter, const QRegion& region) const
{
    if (FOverlayRect.isEmpty() || !FOverlayPaint || FFrame.isNull())
        return;
    const QRect own = WidgetRectOf(FOverlayRect);
    if (!region.intersects(own))
        return;
    const QRectF shown = ShownRect();
    painter.save();
    painter.setClipRegion(region & own);
    painter.translate(shown.topLeft());
    painter.scale(shown.width() / FFrame.width(), shown.height() / FFrame.height());
    // Nothing beyond the place it gave: that is all that is shown anew when it moves.
    painter.setClipRect(FOverlayRect, Qt::IntersectClip);
    FOverlayPaint(painter);
    painter.restore();
}

void TQtPresentWindow::mousePressEvent(QMouseEvent* event)
{
    int32_t x = 0;
    int32_t y = 0;
    if (FOnMouseDown && FramePixelAt(event->position(), x, y))
        FOnMouseDown(x, y, event->button());
    event->accept();
}

void TQtPresentWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    DropPlane();
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
