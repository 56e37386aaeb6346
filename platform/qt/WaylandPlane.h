#pragma once
#include "platform/qt/StaleRegions.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>

class QPainter;
class QWindow;
struct wl_buffer;
struct wl_compositor;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_subcompositor;
struct wl_subsurface;
struct wl_surface;

// On Wayland, a surface of the drawing area's own, above the window's: shared-memory buffers of its own into
// which only what changed is painted. Through Qt's backing store every frame would cost a copy of the whole
// window into a fresh buffer, as long as the compositor holds on to the last one (as a compositor that draws
// without a GPU does). Pointer input passes through to the window underneath.
class TWaylandPlane {
public:
    // Paints the area's picture where the region says, in area coordinates.
    using TPaint = std::function<void(QPainter&, const QRegion&)>;

    // None unless Qt runs on Wayland, the window has its surface and the compositor offers all that is needed.
    static std::unique_ptr<TWaylandPlane> Create(QWindow& window);
    ~TWaylandPlane();
    TWaylandPlane(const TWaylandPlane&) = delete;
    TWaylandPlane& operator=(const TWaylandPlane&) = delete;

    // Whether the plane still sits on the window's surface: Qt makes a new one when a window is shown again.
    bool SitsOn(QWindow& window) const;
    // The area's place in the window's surface, in logical pixels, and the whole device pixel ratio. The window
    // must be committed afterwards for a new place to count (a repaint of any part of it does that).
    void Place(const QRect& area, int scale);
    // Paints what changed since the last frame, plus what the free buffer missed, and shows that buffer.
    void Show(const QRegion& changed, const TPaint& paint);
    // Nothing shown until the next Show.
    void Hide();

    // What the compositor offers that the plane binds.
    struct TGlobals {
        wl_compositor* Compositor = nullptr;
        wl_subcompositor* Subcompositor = nullptr;
        wl_shm* Shm = nullptr;
    };

private:
    struct TBuffer {
        wl_buffer* Buffer = nullptr;
        void* Memory = nullptr;
        size_t Bytes = 0;
        QImage Image;
        bool Busy = false;
    };
    static constexpr size_t BufferCount = 3;

    TWaylandPlane(wl_display* display, wl_surface* parent);
    bool Bind();
    void DropBuffers();
    bool MakeBuffer(TBuffer& buffer);
    // A buffer the compositor does not hold (the last one shown first, made if need be), or none.
    TBuffer* FreeBuffer(size_t& index);

    wl_display* FDisplay;
    wl_surface* FParent;
    wl_event_queue* FQueue = nullptr;
    wl_display* FWrapper = nullptr;
    wl_registry* FRegistry = nullptr;
    TGlobals FGlobals;
    wl_surface* FSurface = nullptr;
    wl_subsurface* FSubsurface = nullptr;
    std::array<TBuffer, BufferCount> FBuffers{};
    TStaleRegions FStale;
    size_t FLast = 0;
    QRect FArea;
    int FScale = 1;
};
