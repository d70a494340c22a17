#include "render/frame_effects.h"

#include "render/effect_timing.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"

void runFrameEffects(const FrameEffectPasses& passes)
{
    for (int r = 0; r < ROCKET_COUNT; ++r) {
        Rocket& rocket = rockets[r];
        if (rocket.explosionActive == 1) {
            if (passes.explosion) {
                passes.explosion(r);
            } else {
                advanceExplosion(rocket, frameElapsedMs);
            }
        }
        if (rocket.state > ROCKET_FREE) {
            rocket.updateTrail();
            if (passes.smokeTrail) {
                passes.smokeTrail(r);
            }
        }
    }
    if (passes.cockpit) {
        passes.cockpit();
    } else {
        normalizeCockpitAxes(camera);
    }
}

void drawStillFrameEffects(const FrameEffectPasses& passes)
{
    for (int r = 0; r < ROCKET_COUNT; ++r) {
        if (rockets[r].explosionActive == 1 && passes.explosion) {
            passes.explosion(r);
        }
        if (rockets[r].state > ROCKET_FREE && passes.smokeTrail) {
            passes.smokeTrail(r);
        }
    }
    if (passes.cockpit) {
        passes.cockpit();
    }
}

void normalizeCockpitAxes(Camera& camera)
{
    camera.side.normalize();
    camera.up.normalize();
    camera.view.normalize();
}
