// The state side of the explosion and smoke sprites, kept apart from GL so the
// frame-by-frame behaviour can be checked headless.
#pragma once

#include "geometry/model.h"
#include "sim/vec3.h"

struct Rocket;

constexpr double EXPLOSION_HALF_EDGE = 4.0;  // explosion sprite is 8 × 8 units
constexpr float EXPLOSION_FRAME_MS = 16.0f;  // accumulated frame time per image
constexpr double SMOKE_HALF_EDGE = 0.5;      // smoke sprite is 1 × 1 units
// Smoke this close to the eye or closer would fill the view: not drawn.
constexpr float SMOKE_NEAR_LIMIT = 2.5f;

// Advances the rocket's explosion by one displayed frame of elapsedMs and
// returns the texture slot to show in it: the image from before the advance.
// The image moves on at most once per frame (time beyond 16 ms is dropped).
// When the advance reaches the end slot, the explosion ends: explosionActive
// is cleared and the frame rewound to the first image for the next one, so
// the end slot itself is never shown.
int advanceExplosion(Rocket& rocket, float elapsedMs);

// Whether a smoke particle is far enough from the eye to be drawn: its
// distance, rounded to single precision, above SMOKE_NEAR_LIMIT.
bool smokeParticleShown(const Vertex& particle, const Vec3& eye);
