// A pad in the pilot's hands: a virtual game controller plugged into SDL,
// which the game reads like any other pad. The game's pads must be started.
#pragma once

#include "app/files/options.h"
#include "app/input/pad_input.h"
#include "sim/world.h"
#include "tests/autopilot/course_pilot.h"
#include "tests/support/steering.h"
#include "tests/support/virtual_pad_sdl.h"

#include <cmath>

class PadHands : public PilotHands {
public:
    explicit PadHands(const World& world) : world(world) {}
    ~PadHands() { pullOutVirtualPad(pad); }
    PadHands(const PadHands&) = delete;
    PadHands& operator=(const PadHands&) = delete;

    bool plugged() const { return pad != nullptr; }

    // A shot's press has been seen: A goes back up.
    void nextFrame() override { SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0); }
    void fire() override { SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1); }
    void hold(Throttle throttle) override { pull(throttle, SDL_JOYSTICK_AXIS_MAX); }
    void letGo(Throttle throttle) override { pull(throttle, SDL_JOYSTICK_AXIS_MIN); }

    // The deflection that turns the view onto aim in the coming frame, taken
    // to be as long as the last one, as a player's thumb would judge it, and
    // taken back through the deadzone's rescaling to the stick's own travel.
    void turnToward(const Vec3& aim) override
    {
        const steering::ViewTurn turn = steering::viewTurnToward(world, aim);
        const double fullTurn = PAD_TURN_RATE * playerOptions.pad.lookSpeed * world.frameElapsedMs / 1000.0;
        const double x = fullTurn > 0.0 ? -turn.yaw / fullTurn : 0.0;
        const double y = fullTurn > 0.0 ? turn.pitch / fullTurn : 0.0;
        const double reach = std::hypot(x, y);
        const double dz = playerOptions.pad.deadzone;
        const double travel = reach > 1e-6 ? (dz + std::fmin(reach, 1.0) * (1.0 - dz)) / reach * PAD_AXIS_FULL : 0.0;
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(std::lround(x * travel)));
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(std::lround(y * travel)));
    }

private:
    void pull(Throttle throttle, Sint16 value)
    {
        const bool brake = throttle == Throttle::BRAKE;
        SDL_JoystickSetVirtualAxis(pad, brake ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT, value);
    }

    const World& world;
    SDL_Joystick* pad = plugInVirtualPad();
};
