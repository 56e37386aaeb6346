#include "platform/sdl/GamePads.h"

#include "input/PadSteering.h"

#include <SDL.h>

#include <algorithm>

namespace {

TPadButton ButtonOf(uint8_t button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return TPadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return TPadButton::DpadRight;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return TPadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return TPadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_START:
        return TPadButton::Start;
    case SDL_CONTROLLER_BUTTON_BACK:
        return TPadButton::Back;
    default:
        return TPadButton::Other;
    }
}

} // namespace

TGamePads::TGamePads(TPadSteering& steering) : FSteering(steering)
{
    // SIGINT and SIGTERM stay the program's: SDL would turn them into quit events that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL's own HID drivers talk to some pads (lights, rumble) from a thread of their own; the kernel's drivers
    // serve every common pad, and the database maps them.
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    // Whether the pads count is the program's activation, which polls only while it is active; SDL has no
    // window to judge by.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    FAvailable = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

TGamePads::~TGamePads()
{
    if (!FAvailable)
        return;
    for (const auto& [pad, controller] : FOpen)
        SDL_GameControllerClose(controller);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void TGamePads::Poll()
{
    Poll(true);
}

void TGamePads::PollAfterAbsence()
{
    Poll(false);
    for (const auto& [pad, controller] : FOpen) {
        const auto held = [controller](SDL_GameControllerButton button) {
            return SDL_GameControllerGetButton(controller, button) != 0;
        };
        FSteering.Button(pad, TPadButton::DpadLeft, held(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
        FSteering.Button(pad, TPadButton::DpadRight, held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
        FSteering.Button(pad, TPadButton::LeftShoulder, held(SDL_CONTROLLER_BUTTON_LEFTSHOULDER));
        FSteering.Button(pad, TPadButton::RightShoulder, held(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER));
        FSteering.StickX(pad, SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
    }
}

void TGamePads::Poll(bool withInput)
{
    if (!FAvailable)
        return;
    SDL_PumpEvents();
    SDL_Event event;
    // Only the controller events: the joystick events beside them say the same in the pad's own numbering.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED) == 1) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (withInput)
                FSteering.Button(event.cbutton.which, ButtonOf(event.cbutton.button),
                                 event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (withInput && event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                FSteering.StickX(event.caxis.which, event.caxis.value);
            break;
        default:
            break;
        }
    }
    // Nobody reads the rest; the queue must not fill up.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void TGamePads::Open(int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
        return;
    const int32_t pad = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // A pad present at start-up may be announced twice.
    if (std::any_of(FOpen.begin(), FOpen.end(), [pad](const auto& open) { return open.first == pad; })) {
        SDL_GameControllerClose(controller);
        return;
    }
    FOpen.emplace_back(pad, controller);
    FSteering.Connected(pad);
}

void TGamePads::Close(int32_t pad)
{
    const auto open = std::find_if(FOpen.begin(), FOpen.end(), [pad](const auto& o) { return o.first == pad; });
    if (open == FOpen.end())
        return;
    FSteering.Disconnected(pad);
    SDL_GameControllerClose(open->second);
    FOpen.erase(open);
}
