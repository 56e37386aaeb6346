// A pointer for a Wayland seat that has none (a headless compositor): made at start and kept, so that clients
// see the seat's pointer before they are clicked. Reads lines "click X Y" (layout pixels of a WIDTH x HEIGHT
// output) from standard input and answers each with "done" once the compositor has them.
// Usage: virtual_pointer WIDTH HEIGHT
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

struct TGlobals {
    wl_seat* Seat = nullptr;
    zwlr_virtual_pointer_manager_v1* Manager = nullptr;
};

void Announced(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t /*version*/)
{
    auto& globals = *static_cast<TGlobals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.Seat == nullptr)
        globals.Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals.Manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

uint32_t NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

constexpr uint32_t LeftButton = 0x110; // BTN_LEFT

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const auto width = static_cast<uint32_t>(std::atoi(argv[1]));
    const auto height = static_cast<uint32_t>(std::atoi(argv[2]));
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    TGlobals globals;
    static const wl_registry_listener listener{Announced, Withdrawn};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    wl_display_roundtrip(display);
    if (globals.Manager == nullptr) {
        std::fprintf(stderr, "the compositor offers no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.Manager, globals.Seat);
    wl_display_roundtrip(display);

    char line[128];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        unsigned x = 0;
        unsigned y = 0;
        if (std::sscanf(line, "click %u %u", &x, &y) != 2)
            continue;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, NowMs(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        zwlr_virtual_pointer_v1_button(pointer, NowMs(), LeftButton, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        zwlr_virtual_pointer_v1_button(pointer, NowMs(), LeftButton, WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        std::printf("done\n");
        std::fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_disconnect(display);
    return 0;
}
