// The 200 asteroids: each drifts in a straight line, spins for display and
// bounces off the walls at ±250. Contacts are the collision pass's.
#pragma once

#include "geometry/model.h"
#include "sim/record_fields.h"
#include "sim/vec3.h"

struct Random;

constexpr int ASTEROID_COUNT = 200;
constexpr float ASTEROID_WALL = 250.0f;

// After the model head (whose position is the asteroid's).
#define VOREL_ASTEROID_FIELDS(ROW)                                                              \
    ROW(Vec3, direction, Vec3()) /* unit drift direction; zero when a contact left it at rest */ \
    ROW(Vec3, spinAxis, Vec3())  /* display rotation axis, not normalised */                     \
    ROW(float, speed, 0.0f)      /* distance per frame step */                                   \
    ROW(float, spinRate, 0.0f)   /* degrees per frame step */                                    \
    ROW(float, spinAngle, 0.0f)  /* degrees, 0 to below 360 */                                   \
    ROW(int, index, 0)           /* position in the asteroid array; selects its display list */

struct Asteroid : Model {
    VOREL_ASTEROID_FIELDS(VOREL_RECORD_MEMBER)

    void init(float px, float py, float pz, float dx, float dy, float dz, float ax, float ay, float az,
              float initialSpeed, float initialSpinRate, int asteroidIndex);
    // A wall bounce at high speed draws a fresh speed from random.
    void move(float step, Random& random);

    // Drawing, with the renderer.
    void pushTransform() const;
    void popTransform() const;
    void draw() const;
};
