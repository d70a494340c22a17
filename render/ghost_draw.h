// The ghost craft: a translucent body flying a recorded lap, lit like the
// scene and tested against the view like the asteroids.
#pragma once

#include "geometry/model.h"
#include "sim/ghost.h"

// Half edge of the cube around the craft's centre that holds the whole
// model; the frustum test culls with it.
constexpr float GHOST_CRAFT_REACH = 2.0f;
// The craft's colour; the alpha makes it translucent.
constexpr float GHOST_CRAFT_COLOUR[4] = {0.55f, 0.85f, 1.0f, 0.45f};

// Draws the craft at the pose inside the camera transform, after the opaque
// scene: blended, without writing depth, outside faces only, untextured.
// With cullWith given (this frame's view, while culling is on), a craft
// outside it issues nothing. Leaves the state as it found it.
struct Frustum;
void drawGhostCraft(const Model& craft, const GhostPose& pose, const Frustum* cullWith);
