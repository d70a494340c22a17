#include "sim/update_frame.h"

#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/collision.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/rocket.h"

constexpr float STEP_MS = 16.5f;

void updateFrame()
{
    // 1-2: time step. The second, fresh clock reading drops the time spent
    // between the two reads, as the frame driver always has.
    frameElapsedMs = frameClock() - lastFrameTime;
    lastFrameTime = frameClock();
    frameStep = frameElapsedMs / STEP_MS;

    // 3-4: countdowns; both may run below 0, which means ready or hidden.
    if (rocketCooldown > 0) {
        rocketCooldown = static_cast<int>(static_cast<float>(rocketCooldown) - frameElapsedMs);
    }
    if (optionsOverlayTimer > 0.0f) {
        optionsOverlayTimer -= frameElapsedMs;
    }

    // The craft: thrust or brake, roll, then move with the arena clamp.
    if (thrustInput == 1) {
        applyThrust(1, frameStep);
    } else if (thrustInput == -1) {
        applyThrust(0, frameStep);
    }
    if (rollInput != 0) {
        camera.roll(rollInput, frameStep);
    }
    moveCraft(frameStep);

    for (Asteroid& asteroid : asteroids) {
        asteroid.move(frameStep);
    }
    for (Gate& gate : gates) {
        gateSpin(gate, frameStep);
    }
    for (Rocket& rocket : rockets) {
        if (rocket.state == ROCKET_FLYING) {
            rocket.move(frameStep);
        }
    }

    resolveCollisions();
    advanceCourse();
}
