// The craft's motion: it moves along the world's flightDirection at
// flightSpeed, which thrust pulls toward the camera's view; the player's look
// turns the view (Camera::look).
#pragma once

struct World;

constexpr float TOP_SPEED = 0.6f;
// The craft is held within ±ARENA_LIMIT on every axis; its speed survives the clamp.
constexpr double ARENA_LIMIT = 256.0;

// One thrust step: accelerate 1 pulls the velocity toward the view and speeds
// up by a band-dependent increment; 0 brakes along the current direction.
void applyThrust(World& world, int accelerate, float step);

// Moves the craft along its direction of flight and clamps each coordinate
// to ±256; speed and direction are kept.
void moveCraft(World& world, float step);
