#include "platform/qt/WaylandDecorations.h"

#include <QByteArray>
#include <QtGlobal>

#include <wayland-client.h>

#include <cstring>

namespace {

void Announced(void* data, wl_registry* /*registry*/, uint32_t /*name*/, const char* interface, uint32_t /*version*/)
{
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
        *static_cast<bool*>(data) = true;
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

// Whether the compositor that Qt would connect to offers to decorate windows; false if there is none.
bool CompositorDecoratesWindows()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return false;
    static const wl_registry_listener listener{Announced, Withdrawn};
    bool offered = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

} // namespace

void LeaveWindowDecorationsToTheCompositor()
{
    if (qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        return;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("wayland"))
        return;
    if (CompositorDecoratesWindows())
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}
