// SDL's virtual game controllers for tests and benchmarks, while SDL's game
// controllers run: a pad with every button and axis of its API.
#pragma once

#include <SDL.h>

// Opened for setting its axes and buttons, with both triggers at rest (a
// virtual axis starts mid-range: for a trigger, half a pull). Null when SDL refuses.
inline SDL_Joystick* plugInVirtualPad(SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER)
{
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = static_cast<Uint16>(type);
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.vendor_id = 0x1234;  // known to no mapping of SDL's own
    desc.product_id = 0x5678;
    SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    if (pad) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    }
    return pad;
}

inline void pullOutVirtualPad(SDL_Joystick* pad)
{
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id) {
            SDL_JoystickDetachVirtual(index);
        }
    }
}
