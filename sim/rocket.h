// The craft's eight rockets: launched along the view, flying straight at 2.5
// per step until they leave the arena or hit an asteroid, dragging a smoke
// trail that fades out before the slot is free again.
#pragma once

#include "geometry/model.h"
#include "sim/record_fields.h"
#include "sim/vec3.h"

constexpr int ROCKET_COUNT = 8;
constexpr int TRAIL_LENGTH = 500;
// A trail particle parked at this coordinate on every axis is not in use.
constexpr float parkedCoordinate = 25000.0f;
constexpr int ROCKET_COOLDOWN_MS = 2500;

// The explosion's images are numbered as the texture table's slots that hold
// them: the animation starts at the first and ends before the end one.
constexpr int EXPLOSION_IMAGE_FIRST = 5;
constexpr int EXPLOSION_IMAGE_END = 29;
constexpr float EXPLOSION_FRAME_MS = 16.0f;  // accumulated frame time per image

enum RocketState : int { ROCKET_FREE = 0, ROCKET_FLYING = 1, ROCKET_FADING = 2 };

constexpr Vec3 ROCKET_START_DIRECTION{0.0, 0.0, 1.0};
using TrailPoints = Vertex[TRAIL_LENGTH];
using TrailValues = float[TRAIL_LENGTH];

// After the model head (whose position is the rocket's).
#define VOREL_ROCKET_FIELDS(ROW)                                                                \
    ROW(Vec3, direction, ROCKET_START_DIRECTION)                                                \
    ROW(float, speed, 0.0f)                                                                     \
    ROW(int, state, ROCKET_FREE)                                                                \
    ROW(int, explosionActive, 0)                                                                \
    ROW(Vertex, explosionPoint, Vertex())                                                       \
    ROW(int, explosionFrame, EXPLOSION_IMAGE_FIRST) /* the explosion image on show */          \
    ROW(float, explosionTimer, 0.0f) /* ms since the explosion image last advanced */           \
    ROW(TrailPoints, trail, {})                                                                 \
    ROW(int, trailCount, 0)                                                                     \
    ROW(TrailValues, trailLife, {})                                                             \
    ROW(TrailValues, trailSpare, {})

struct Rocket : Model {
    VOREL_ROCKET_FIELDS(VOREL_RECORD_MEMBER)

    void launch(float px, float py, float pz, float dx, float dy, float dz);
    void move(float step);
    void explode(const Vertex& point);
    // Once per displayed frame while state is above 0.
    void updateTrail();
    // A small sphere at the rocket, with the renderer.
    void draw() const;
};

struct FrameEvents;
struct World;

// Left click: the lowest free rocket leaves from the camera along its view,
// unless the cooldown runs or every slot is busy; the launch is reported.
void launchRocket(World& world, FrameEvents& events);

// Advances the rocket's explosion by one displayed frame of elapsedMs and
// returns the image to show in it: the one from before the advance. The image
// moves on at most once per frame (time beyond 16 ms is dropped). When the
// advance reaches the end image, the explosion ends: explosionActive is
// cleared and the frame rewound to the first image for the next one, so the
// end image itself is never shown.
int advanceExplosion(Rocket& rocket, float elapsedMs);
