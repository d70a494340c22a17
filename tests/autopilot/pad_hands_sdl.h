// A pad in the pilot's hands: a virtual game controller plugged into SDL,
// which the game reads like any other pad. The stick turns the view, the
// triggers thrust and brake, A fires. The game's pads must be started.
#pragma once

#include "tests/autopilot/course_pilot.h"

#include <SDL.h>

class PadHands : public PilotHands {
public:
    PadHands();
    ~PadHands();
    PadHands(const PadHands&) = delete;
    PadHands& operator=(const PadHands&) = delete;

    void nextFrame() override;
    void turnToward(const Vec3& aim) override;
    void hold(Throttle throttle) override { pull(throttle, SDL_JOYSTICK_AXIS_MAX); }
    void letGo(Throttle throttle) override { pull(throttle, SDL_JOYSTICK_AXIS_MIN); }
    void fire() override { SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1); }

    bool plugged() const { return pad != nullptr; }

private:
    void pull(Throttle throttle, Sint16 value);

    SDL_Joystick* pad;
};
