#include "tests/autopilot/pad_hands_sdl.h"

#include "app/options.h"
#include "app/pad_input.h"
#include "sim/world_state.h"
#include "tests/support/steering.h"
#include "tests/support/virtual_pad_sdl.h"

#include <cmath>

PadHands::PadHands() : pad(plugInVirtualPad()) {}

PadHands::~PadHands()
{
    if (pad) {
        pullOutVirtualPad(pad);
    }
}

void PadHands::pull(Throttle throttle, Sint16 value)
{
    const bool brake = throttle == Throttle::BRAKE;
    SDL_JoystickSetVirtualAxis(pad, brake ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT, value);
}

// A shot's press has been seen: A goes back up.
void PadHands::nextFrame()
{
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
}

// The deflection that turns the view onto aim in the coming frame, taken to
// be as long as the last one, as a player's thumb would judge it.
void PadHands::turnToward(const Vec3& aim)
{
    const steering::ViewTurn turn = steering::viewTurnToward(aim);
    const double fullTurn = PAD_TURN_RATE * padOptions.lookSpeed * frameElapsedMs / 1000.0;
    const double x = fullTurn > 0.0 ? -turn.yaw / fullTurn : 0.0;
    const double y = fullTurn > 0.0 ? turn.pitch / fullTurn : 0.0;
    const double reach = std::hypot(x, y);
    // Back through the deadzone's rescaling to the stick's own travel.
    const double dz = padOptions.deadzone;
    const double travel = reach > 1e-6 ? (dz + std::fmin(reach, 1.0) * (1.0 - dz)) / reach * PAD_AXIS_FULL : 0.0;
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(std::lround(x * travel)));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(std::lround(y * travel)));
}
