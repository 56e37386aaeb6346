#pragma once
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The vendor and product of the tests' pads; SDL takes no other pad for a game controller, so the machine's
// own devices stay out of the tests.
constexpr uint16_t VirtualPadVendor = 0x1209;
constexpr uint16_t VirtualPadProduct = 0x0001;

// Before SDL starts: it looks for no devices of the machine and takes none for a game controller but the
// tests' virtual pads.
inline void KeepTheMachinesPadsOut()
{
    setenv("SDL_JOYSTICK_DISABLE_UDEV", "1", 1);
    setenv("SDL_JOYSTICK_HIDAPI", "0", 1);
    char only[32];
    std::snprintf(only, sizeof only, "0x%04x/0x%04x", VirtualPadVendor, VirtualPadProduct);
    setenv("SDL_GAMECONTROLLER_IGNORE_DEVICES_EXCEPT", only, 1);
}

// A pad plugged into SDL's virtual joystick driver, seen by the program like a real one. A game controller
// has SDL's standard layout (button and axis numbers are SDL's controller numbers); the other kind, of the same
// vendor and product, is a joystick that no mapping knows.
class TVirtualPad {
public:
    explicit TVirtualPad(bool gameController = true)
    {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = static_cast<Uint16>(gameController ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN);
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.vendor_id = VirtualPadVendor;
        desc.product_id = VirtualPadProduct;
        desc.name = gameController ? "Virtual pad" : "Virtual stick";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) {
            FInstance = SDL_JoystickGetDeviceInstanceID(index);
            FJoystick = SDL_JoystickOpen(index);
        }
    }
    ~TVirtualPad()
    {
        Unplug();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    TVirtualPad(const TVirtualPad&) = delete;
    TVirtualPad& operator=(const TVirtualPad&) = delete;

    bool Plugged() const { return FJoystick != nullptr; }
    // Takes effect at the next poll.
    void Button(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(FJoystick, button, down ? 1 : 0);
    }
    void Axis(SDL_GameControllerAxis axis, int16_t value) { SDL_JoystickSetVirtualAxis(FJoystick, axis, value); }
    void Unplug()
    {
        if (FJoystick == nullptr)
            return;
        SDL_JoystickClose(FJoystick);
        FJoystick = nullptr;
        // The device index shifts as others come and go; the instance stays.
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == FInstance) {
                SDL_JoystickDetachVirtual(index);
                return;
            }
    }

private:
    SDL_JoystickID FInstance = -1;
    SDL_Joystick* FJoystick = nullptr;
};
