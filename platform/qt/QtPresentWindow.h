#pragma once
#include "platform/PresentWindow.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <functional>

// A widget that shows presented frames: the drawing area of a window.
//
// Present repaints at once, and only where the frame changed; the widget reads the presenter's pixels in place
// (no copy of its own) until the next Present, or keeps a copy once they are withdrawn. A frame presented at
// its own size is drawn pixel for pixel; on a high-density screen each frame pixel becomes a whole number of
// device pixels, without smoothing, so marker colours stay exact.
//
// Qt offers no portable wait for the vertical blank (none at all on the raster backing store of X11 or the
// offscreen platform), so WaitForVerticalBlank sleeps until the next boundary of the screen's refresh period.
class TQtPresentWindow : public QWidget, public IPresentWindow {
public:
    using MouseDownHandler = std::function<void(int32_t x, int32_t y, Qt::MouseButton button)>;
    using BoundsChangedHandler = std::function<void()>;

    explicit TQtPresentWindow(QWidget* parent = nullptr);

    bool HasParentForm() const override;
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;
    void ClientOriginOnScreen(int32_t& x, int32_t& y) const override;
    void WaitForVerticalBlank() override;
    void Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Withdraw() override;

    // The frame pixel shown at a point of the widget; false where no frame pixel is shown.
    bool FramePixelAt(QPointF point, int32_t& x, int32_t& y) const;
    // Where the frame goes in widget coordinates (device-pixel aligned).
    QRectF ShownRect() const;

    // Called with the frame pixel under the pointer when a mouse button goes down on the frame.
    void SetMouseDownHandler(MouseDownHandler handler);
    // Called after the widget's size has changed.
    void SetBoundsChangedHandler(BoundsChangedHandler handler);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The size of one frame pixel in widget coordinates.
    qreal FramePixelSize() const;

    QImage FFrame;
    QRect FTarget;
    MouseDownHandler FOnMouseDown;
    BoundsChangedHandler FOnBoundsChanged;
};
