#pragma once
#include "platform/PresentWindow.h"
#include "platform/qt/PresentTransform.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class TWaylandPlane;

// A widget that shows presented frames: the drawing area of a window.
//
// Present repaints at once, and only where the frame changed; the widget reads the presenter's pixels in place
// (no copy of its own) until the next Present, or keeps a copy once they are withdrawn. The frame fills its
// target on the device pixels (see TPresentTransform): at a whole factor each frame pixel becomes a square of
// device pixels without smoothing, so marker colours stay exact; at a fractional one the shown picture is kept
// at device resolution and only the changed parts of it are computed again.
//
// Qt offers no portable wait for the vertical blank (none at all on the raster backing store of X11 or the
// offscreen platform), so WaitForVerticalBlank sleeps until the next boundary of the screen's refresh period.
class TQtPresentWindow : public QWidget, public IPresentWindow {
public:
    using MouseDownHandler = std::function<void(int32_t x, int32_t y, Qt::MouseButton button)>;
    using BoundsChangedHandler = std::function<void()>;
    // The frame rectangle the overlay covers now (empty: none), asked once per presented frame.
    using OverlayPlace = std::function<QRect()>;
    // Paints the overlay in frame coordinates, clipped to its place.
    using OverlayPaint = std::function<void(QPainter&)>;

    explicit TQtPresentWindow(QWidget* parent = nullptr);
    ~TQtPresentWindow() override;

    bool HasParentForm() const override;
    // The widget's size, or the one kept when the area was last taken over (see SetAreaMode).
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;
    void ClientOriginOnScreen(int32_t& x, int32_t& y) const override;
    void WaitForVerticalBlank() override;
    void Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Withdraw() override;

    // Where the frame goes: the presenter's target, or the whole widget, filled or at the largest whole factor
    // that fits. Over the whole widget the presenter keeps seeing the client size of the moment the target was
    // left, so its back buffer stays as it is while the widget grows.
    enum class TAreaMode { Target, Fill, WholeFactors };
    void SetAreaMode(TAreaMode mode);
    TAreaMode AreaMode() const { return FAreaMode; }

    // The frame pixel shown at a point of the widget; false where no frame pixel is shown.
    bool FramePixelAt(QPointF point, int32_t& x, int32_t& y) const;
    // Where the frame goes in widget coordinates.
    QRectF ShownRect() const;
    // How the last frame is shown, in device pixels of the top-level window.
    const TPresentTransform& Transform() const { return FTransform; }

    // What the window shows over the race (its texts and markers): painted only here, at presentation, so the
    // frame the race draws (read back for contact, compared between machines) never holds it. The place is
    // asked before every presented frame is shown; where the overlay was and where it is now are shown anew with
    // what the frame changed, so nothing of it stays behind when it moves or goes.
    void SetOverlay(OverlayPlace place, OverlayPaint paint);
    // The overlay changed between frames (paused, or a dialog's choice): asks its place and shows it anew.
    void UpdateOverlay();
    // Where the overlay lies now, in frame coordinates.
    QRect OverlayRect() const { return FOverlayRect; }

    // Called with the frame pixel under the pointer when a mouse button goes down on the frame.
    void SetMouseDownHandler(MouseDownHandler handler);
    // Called after the widget's size has changed.
    void SetBoundsChangedHandler(BoundsChangedHandler handler);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The area's picture where the region says, in widget coordinates.
    void PaintArea(QPainter& painter, const QRegion& region) const;
    // Shows the region of the area anew: on the plane where there is one, else by repainting the widget.
    void ShowAnew(const QRegion& region);
    void ShowOnPlane(const QRegion& region);
    // On Wayland the area's own surface, placed over the widget; false where it cannot be had.
    bool PlaneReady();
    void DropPlane();

    // The widget's top-left corner in device pixels of its top-level window (fractional at fractional scales).
    QPointF DeviceOrigin() const;
    // The device area the presenter's target covers.
    TDeviceRect TargetArea() const;
    // Logical widget rectangle covering a device rectangle.
    QRect LogicalRectOf(const TDeviceRect& device) const;
    void ScaleFrame(const TDeviceRect& device);
    // Asks the overlay's place anew; the widget region its old and new places cover.
    QRegion MoveOverlay();
    // Logical widget rectangle covering a frame rectangle as the frame is shown.
    QRect WidgetRectOf(const QRect& frameRect) const;
    void PaintOverlay(QPainter& painter, const QRegion& region) const;

    QImage FFrame;
    // The presenter's target, relative to the widget, in layout units.
    QRect FTarget;
    TPresentTransform FTransform;
    // The frame as shown at a fractional factor, one pixel per device pixel.
    QImage FScaled;
    TAreaMode FAreaMode = TAreaMode::Target;
    QSize FKeptClientSize;
    std::unique_ptr<TWaylandPlane> FPlane;
    QRect FPlaced;
    bool FPlaneRefused = false;
    MouseDownHandler FOnMouseDown;
    BoundsChangedHandler FOnBoundsChanged;
    OverlayPlace FOverlayPlace;
    OverlayPaint FOverlayPaint;
    QRect FOverlayRect;
};
