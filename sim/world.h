// The world: every value the race owns, in one record. The frame step
// (sim/update_frame.h) is its only mutator during play, drawing reads it
// const, and a copy is a world of its own: a lap's start kept for a replay,
// or a replay played beside the live game. A value added to World itself
// (not to a record's table) needs a line in replay/world_digest.cpp and one
// in app/files/replay_world.h, or replays stop flying laps again to the bit.
#pragma once

#include "geometry/octree.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/vec3.h"

#include <cstdint>

constexpr float NO_LAP_TIME = 999999.0f;  // bestLapTime before any lap is completed

// What the last frame step left for drawing that the world itself has moved
// past: the camera before the cockpit's renormalisation at the end of the
// step (the frame is drawn, and the ghost sampled, from it), the image each
// rocket's explosion shows in this frame (-1: none), taken before the
// explosion advanced, and which smoke trails show. Derived each step; not part
// of what a digest compares.
struct FrameShown {
    Camera camera;
    int explosionImage[ROCKET_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1};
    // Whether each rocket's smoke trail shows: it was busy when the step laid
    // or faded the trail (a trail that faded out in this step still shows).
    bool smokeTrail[ROCKET_COUNT] = {};
};

struct World {
    Camera camera;
    // The craft's motion: speed (distance per frame step, 0 to 0.6) and unit
    // direction of flight (zero while at rest), which may differ from the view.
    float flightSpeed = 0.0f;
    Vec3 flightDirection;

    Asteroid asteroids[ASTEROID_COUNT];
    Rocket rockets[ROCKET_COUNT];
    Gate gates[gateCount];
    // Rocket launch cooldown, whole ms; not above 0 means ready.
    int rocketCooldown = 0;

    // Lap timing in frame-clock milliseconds; lapStartTime 0 means no lap begun.
    float lapStartTime = 0.0f;
    float lastLapTime = 0.0f;
    float bestLapTime = NO_LAP_TIME;

    // The length of this frame, frameElapsedMs / 16.5 as the unit of every
    // per-frame motion, and the previous step's clock reading.
    float frameElapsedMs = 0.0f;
    float frameStep = 0.0f;
    float lastFrameTime = 0.0f;

    Random random;
    // The asteroids filed by the leaf cube that holds them, for culling.
    Octree octree;
    FrameShown shown;
};

// Makes the world fresh, as a run starts: every value to its start, the
// generator seeded, then the random part drawn in this fixed order: for each
// asteroid 0 to 199 its eleven values (position, direction, spin axis, speed,
// spin rate), then each gate's spin axis while the gates are laid out from the
// course table. The camera faces gate 0 from (-200, -50, 0), no lap has been
// run, and the octree is built and files every asteroid. The loaded models
// (geometry, colours) of the records stay.
void setUpWorld(World& world, uint32_t seed);

// Loads every record's model: "asteroid1.txt" into each asteroid, "rocket.txt"
// into each rocket, "tor.txt" into each gate. Draws no random numbers.
void loadWorldModels(World& world);

// Back to the start of a lap, as the restart action asks: the craft where and
// as a run starts (place, view, up, speed 0), gate 0 the active one, the lap
// clocks as at the start (no lap running, none last), every rocket ready. The
// asteroids drift on and the best lap stays.
void restartLap(World& world);
