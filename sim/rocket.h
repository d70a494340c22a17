// The craft's eight rockets: launched along the view, flying straight at 2.5
// per step until they leave the arena or hit an asteroid, dragging a smoke
// trail that fades out before the slot is free again.
#pragma once

#include "geometry/model.h"
#include "sim/vec3.h"

constexpr int ROCKET_COUNT = 8;
constexpr int TRAIL_LENGTH = 500;
// A trail particle parked at this coordinate on every axis is not in use.
constexpr float parkedCoordinate = 25000.0f;
constexpr int ROCKET_COOLDOWN_MS = 2500;

enum RocketState : int { ROCKET_FREE = 0, ROCKET_FLYING = 1, ROCKET_FADING = 2 };

struct Rocket : Model {
    Vec3 direction{0.0, 0.0, 1.0};
    float speed = 0.0f;
    int state = ROCKET_FREE;
    int explosionActive = 0;
    Vertex explosionPoint;
    int explosionFrame = 5;       // texture-table slot of the explosion image on show
    float explosionTimer = 0.0f;  // ms since the explosion image last advanced
    Vertex trail[TRAIL_LENGTH];
    int trailCount = 0;
    float trailLife[TRAIL_LENGTH] = {};
    float trailSpare[TRAIL_LENGTH] = {};

    void launch(float px, float py, float pz, float dx, float dy, float dz);
    void move(float step);
    void explode(const Vertex& point);
    // Once per displayed frame while state is above 0.
    void updateTrail();
    // A small sphere at the rocket, with the renderer.
    void draw() const;
};

extern Rocket rockets[ROCKET_COUNT];

// Left click: the lowest free rocket leaves from the camera along its view,
// unless the cooldown runs or every slot is busy.
void launchRocket();
