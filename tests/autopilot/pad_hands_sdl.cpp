#include "tests/autopilot/pad_hands_sdl.h"

#include "app/options.h"
#include "app/pad_input.h"
#include "sim/world_state.h"
#include "tests/support/steering.h"
#include "tests/support/virtual_pad_sdl.h"

#include <cmath>

namespace {

constexpr Sint16 AXIS_LOW = -32768;
constexpr Sint16 AXIS_HIGH = 32767;

int slot(Throttle throttle)
{
    return static_cast<int>(throttle);
}

}  // namespace

PadHands::PadHands() : pad(plugInVirtualPad()) {}

PadHands::~PadHands()
{
    if (pad) {
        pullOutVirtualPad(pad);
    }
}

void PadHands::setTrigger(Throttle throttle, bool pulled)
{
    const int axis = throttle == Throttle::BRAKE ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
    SDL_JoystickSetVirtualAxis(pad, axis, pulled ? AXIS_HIGH : AXIS_LOW);
}

void PadHands::nextFrame()
{
    if (firing) {
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
        firing = false;
    }
    for (Throttle throttle : {Throttle::THRUST, Throttle::BRAKE}) {
        letGoNow[slot(throttle)] = false;
        if (pullNext[slot(throttle)]) {
            pullNext[slot(throttle)] = false;
            setTrigger(throttle, true);
        }
    }
}

// The deflection that turns the view onto aim in the coming frame, taken to
// be as long as the last one, as a player's thumb would judge it.
void PadHands::turnToward(const Vec3& aim)
{
    const steering::ViewTurn turn = steering::viewTurnToward(aim);
    const double perFullDeflection = PAD_TURN_RATE * padOptions.lookSpeed * frameElapsedMs / 1000.0;
    if (perFullDeflection <= 0.0) {
        return;
    }
    double x = -turn.yaw / perFullDeflection;
    double y = turn.pitch / perFullDeflection;
    const double reach = std::hypot(x, y);
    double axisX = 0.0;
    double axisY = 0.0;
    if (reach > 1e-6) {
        // Back through the deadzone's rescaling to the stick's own travel.
        const double wanted = std::fmin(reach, 1.0);
        const double travel = padOptions.deadzone + wanted * (1.0 - padOptions.deadzone);
        axisX = x / reach * travel * PAD_AXIS_FULL;
        axisY = y / reach * travel * PAD_AXIS_FULL;
    }
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(std::lround(axisX)));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(std::lround(axisY)));
}

void PadHands::hold(Throttle throttle)
{
    if (letGoNow[slot(throttle)]) {
        pullNext[slot(throttle)] = true;
        return;
    }
    setTrigger(throttle, true);
}

void PadHands::letGo(Throttle throttle)
{
    letGoNow[slot(throttle)] = true;
    pullNext[slot(throttle)] = false;
    setTrigger(throttle, false);
}

void PadHands::fire()
{
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    firing = true;
}
