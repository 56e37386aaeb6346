#include "platform/qt/WaylandPlane.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace {

void Announced(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    auto& globals = *static_cast<TWaylandPlane::TGlobals*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && version >= 3)
        globals.Compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 3));
    else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0)
        globals.Subcompositor =
            static_cast<wl_subcompositor*>(wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
    else if (std::strcmp(interface, wl_shm_interface.name) == 0)
        globals.Shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

void Released(void* data, wl_buffer* /*buffer*/)
{
    *static_cast<bool*>(data) = false;
}

wl_surface* SurfaceOf(QWindow& window)
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native != nullptr ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window)) : nullptr;
}

} // namespace

std::unique_ptr<TWaylandPlane> TWaylandPlane::Create(QWindow& window)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (native == nullptr)
        return nullptr;
    auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    wl_surface* parent = SurfaceOf(window);
    if (display == nullptr || parent == nullptr)
        return nullptr;
    std::unique_ptr<TWaylandPlane> plane(new TWaylandPlane(display, parent));
    if (!plane->Bind())
        return nullptr;
    return plane;
}

TWaylandPlane::TWaylandPlane(wl_display* display, wl_surface* parent)
    : FDisplay(display)
    , FParent(parent)
{
}

TWaylandPlane::~TWaylandPlane()
{
    DropBuffers();
    if (FSubsurface != nullptr)
        wl_subsurface_destroy(FSubsurface);
    if (FSurface != nullptr)
        wl_surface_destroy(FSurface);
    if (FGlobals.Shm != nullptr)
        wl_shm_destroy(FGlobals.Shm);
    if (FGlobals.Subcompositor != nullptr)
        wl_subcompositor_destroy(FGlobals.Subcompositor);
    if (FGlobals.Compositor != nullptr)
        wl_compositor_destroy(FGlobals.Compositor);
    if (FRegistry != nullptr)
        wl_registry_destroy(FRegistry);
    if (FWrapper != nullptr)
        wl_proxy_wrapper_destroy(FWrapper);
    wl_display_flush(FDisplay);
    if (FQueue != nullptr)
        wl_event_queue_destroy(FQueue);
}

bool TWaylandPlane::Bind()
{
    // Everything of ours on a queue of its own, so that Qt's dispatching never sees it.
    FQueue = wl_display_create_queue(FDisplay);
    FWrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(FDisplay));
    if (FQueue == nullptr || FWrapper == nullptr)
        return false;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(FWrapper), FQueue);
    FRegistry = wl_display_get_registry(FWrapper);
    static const wl_registry_listener listener{Announced, Withdrawn};
    wl_registry_add_listener(FRegistry, &listener, &FGlobals);
    if (wl_display_roundtrip_queue(FDisplay, FQueue) < 0 || FGlobals.Compositor == nullptr
        || FGlobals.Subcompositor == nullptr || FGlobals.Shm == nullptr)
        return false;
    FSurface = wl_compositor_create_surface(FGlobals.Compositor);
    FSubsurface = wl_subcompositor_get_subsurface(FGlobals.Subcompositor, FSurface, FParent);
    // Frames go up when they are ready, not with the window's next commit.
    wl_subsurface_set_desync(FSubsurface);
    wl_region* none = wl_compositor_create_region(FGlobals.Compositor);
    wl_surface_set_input_region(FSurface, none);
    wl_region_destroy(none);
    FStale.Reset(BufferCount, QRect());
    return true;
}

bool TWaylandPlane::SitsOn(QWindow& window) const
{
    return SurfaceOf(window) == FParent;
}

void TWaylandPlane::Place(const QRect& area, int scale)
{
    if (area == FArea && scale == FScale)
        return;
    const bool resized = area.size() != FArea.size() || scale != FScale;
    FArea = area;
    FScale = scale;
    wl_subsurface_set_position(FSubsurface, area.x(), area.y());
    if (!resized)
        return;
    DropBuffers();
    wl_region* opaque = wl_compositor_create_region(FGlobals.Compositor);
    wl_region_add(opaque, 0, 0, area.width(), area.height());
    wl_surface_set_opaque_region(FSurface, opaque);
    wl_region_destroy(opaque);
}

void TWaylandPlane::DropBuffers()
{
    for (TBuffer& buffer : FBuffers) {
        if (buffer.Buffer != nullptr)
            wl_buffer_destroy(buffer.Buffer);
        buffer.Image = QImage();
        if (buffer.Memory != nullptr)
            munmap(buffer.Memory, buffer.Bytes);
        buffer = TBuffer{};
    }
    FStale.Reset(BufferCount, QRect(QPoint(0, 0), FArea.size()));
}

bool TWaylandPlane::MakeBuffer(TBuffer& buffer)
{
    const int width = FArea.width() * FScale;
    const int height = FArea.height() * FScale;
    const int stride = width * 4;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
    const int fd = memfd_create("quibo-plane", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    void* memory = ftruncate(fd, static_cast<off_t>(bytes)) == 0
        ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
        : MAP_FAILED;
    if (memory == MAP_FAILED) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(FGlobals.Shm, fd, static_cast<int32_t>(bytes));
    buffer.Buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    buffer.Memory = memory;
    buffer.Bytes = bytes;
    // The compositor ignores the top byte: no alpha ever reaches the screen.
    buffer.Image = QImage(static_cast<uchar*>(memory), width, height, stride, QImage::Format_RGB32);
    buffer.Image.setDevicePixelRatio(FScale);
    buffer.Busy = false;
    static const wl_buffer_listener listener{Released};
    wl_buffer_add_listener(buffer.Buffer, &listener, &buffer.Busy);
    return true;
}

TWaylandPlane::TBuffer* TWaylandPlane::FreeBuffer(size_t& index)
{
    // The last one shown again if the compositor has let it go (it then needs only what changed since).
    if (FBuffers[FLast].Buffer != nullptr && !FBuffers[FLast].Busy) {
        index = FLast;
        return &FBuffers[FLast];
    }
    for (size_t i = 0; i < FBuffers.size(); ++i) {
        TBuffer& buffer = FBuffers[i];
        if (buffer.Buffer == nullptr && !MakeBuffer(buffer))
            return nullptr;
        if (!buffer.Busy) {
            index = i;
            return &buffer;
        }
    }
    return nullptr;
}

void TWaylandPlane::Show(const QRegion& changed, const TPaint& paint)
{
    if (FArea.isEmpty())
        return;
    wl_display_dispatch_queue_pending(FDisplay, FQueue);
    FStale.Changed(changed & QRect(QPoint(0, 0), FArea.size()));
    size_t index = 0;
    TBuffer* buffer = FreeBuffer(index);
    if (buffer == nullptr) {
        // Every buffer held: wait for the compositor to give one back. Should none come, the next frame
        // paints what this one would have.
        if (wl_display_roundtrip_queue(FDisplay, FQueue) < 0 || (buffer = FreeBuffer(index)) == nullptr)
            return;
    }
    const QRegion stale = FStale.Take(index);
    if (!stale.isEmpty()) {
        QPainter painter(&buffer->Image);
        paint(painter, stale);
    }
    wl_surface_attach(FSurface, buffer->Buffer, 0, 0);
    wl_surface_set_buffer_scale(FSurface, FScale);
    for (const QRect& part : stale)
        wl_surface_damage(FSurface, part.x(), part.y(), part.width(), part.height());
    wl_surface_commit(FSurface);
    buffer->Busy = true;
    FLast = index;
    wl_display_flush(FDisplay);
}

void TWaylandPlane::Hide()
{
    wl_surface_attach(FSurface, nullptr, 0, 0);
    wl_surface_commit(FSurface);
    wl_display_flush(FDisplay);
    // What changed while nothing showed is not known: all of it is painted again.
    FStale.Reset(BufferCount, QRect(QPoint(0, 0), FArea.size()));
}
