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
    void hold(Throttle throttle) override;
    void letGo(Throttle throttle) override;
    void fire() override;

    bool plugged() const { return pad != nullptr; }

private:
    void setTrigger(Throttle throttle, bool pulled);

    SDL_Joystick* pad;
    bool firing = false;
    // A trigger let go of in this frame is pulled again only in the next, so
    // that the game sees it go up.
    bool letGoNow[3] = {};
    bool pullNext[3] = {};
};
