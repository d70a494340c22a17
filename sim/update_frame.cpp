#include "sim/update_frame.h"

#include "sim/collision.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/frame_events.h"
#include "sim/frame_input.h"
#include "sim/world.h"

constexpr float STEP_MS = 16.5f;

namespace {

// Between the last frame and this one, as the player's hands came.
void applyCommands(World& world, const FrameInput& input, FrameEvents& events)
{
    for (const FrameCommand& command : input.commands) {
        switch (command.kind) {
        case FrameCommandKind::LOOK:
            world.camera.look(command.yaw, command.pitch);
            break;
        case FrameCommandKind::FIRE:
            launchRocket(world, events);
            break;
        case FrameCommandKind::RESTART: {
            restartLap(world);
            FrameEvent restarted;
            restarted.kind = EVENT_LAP_RESTARTED;
            events.push(restarted);
            break;
        }
        }
    }
}

// The effects a displayed frame advances after the update: for each rocket,
// its explosion's image, then its smoke trail; then the cockpit's
// renormalisation of the camera.
void advanceEffects(World& world)
{
    world.shown.camera = world.camera;
    for (int r = 0; r < ROCKET_COUNT; ++r) {
        Rocket& rocket = world.rockets[r];
        world.shown.explosionImage[r] = -1;
        if (rocket.explosionActive == 1) {
            world.shown.explosionImage[r] = advanceExplosion(rocket, world.frameElapsedMs);
        }
        world.shown.smokeTrail[r] = rocket.state > ROCKET_FREE;
        if (world.shown.smokeTrail[r]) {
            rocket.updateTrail();
        }
    }
    world.camera.normalizeAxes();
}

}  // namespace

void updateFrame(World& world, const FrameInput& input, FrameEvents& events)
{
    applyCommands(world, input, events);
    // The filing the last frame drew with, brought up to its positions.
    world.octree.refresh(&world.octree, world.asteroids);
    world.octree.reinsertPending(world.asteroids);

    // 1-2: time step, from the one clock reading of the frame.
    world.frameElapsedMs = input.clockMs - world.lastFrameTime;
    world.lastFrameTime = input.clockMs;
    world.frameStep = world.frameElapsedMs / STEP_MS;
    const float step = world.frameStep;

    // 3: the launch countdown; it may run below 0, which means ready.
    if (world.rocketCooldown > 0) {
        world.rocketCooldown = static_cast<int>(static_cast<float>(world.rocketCooldown) - world.frameElapsedMs);
    }

    // The craft: thrust or brake, roll, then move with the arena clamp.
    if (input.thrust == 1) {
        applyThrust(world, 1, step);
    } else if (input.thrust == -1) {
        applyThrust(world, 0, step);
    }
    if (input.roll != 0) {
        world.camera.roll(input.roll, step);
    }
    moveCraft(world, step);

    for (Asteroid& asteroid : world.asteroids) {
        asteroid.move(step, world.random);
    }
    for (Gate& gate : world.gates) {
        gateSpin(gate, step);
    }
    for (Rocket& rocket : world.rockets) {
        if (rocket.state == ROCKET_FLYING) {
            rocket.move(step);
        }
    }

    resolveCollisions(world, events);
    advanceCourse(world, input.clockMs, events);
    advanceEffects(world);
}
