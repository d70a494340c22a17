#include "app/frame_state.h"

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

    // 5-12, the world's motion, go here: thrust, roll, craft move with the
    // ±256 clamp, asteroid drift, gate spin, rocket flight, collisions and
    // the gate pass test.
}
