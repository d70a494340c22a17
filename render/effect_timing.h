// The sizes of the explosion and smoke sprites and which smoke particles show,
// kept apart from GL so they can be checked headless. The explosion's images
// advance with the frame step (advanceExplosion, sim/rocket.h).
#pragma once

#include "geometry/model.h"
#include "sim/vec3.h"

constexpr double EXPLOSION_HALF_EDGE = 4.0;  // explosion sprite is 8 × 8 units
constexpr double SMOKE_HALF_EDGE = 0.5;      // smoke sprite is 1 × 1 units
// Smoke this close to the eye or closer would fill the view: not drawn.
constexpr float SMOKE_NEAR_LIMIT = 2.5f;

// Whether a smoke particle is far enough from the eye to be drawn: its
// distance, rounded to single precision, above SMOKE_NEAR_LIMIT.
bool smokeParticleShown(const Vertex& particle, const Vec3& eye);
