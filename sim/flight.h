// The craft's motion: it moves along flightDirection at flightSpeed, which
// thrust pulls toward the camera's view; the mouse turns the view.
#pragma once

#include "sim/vec3.h"

constexpr float TOP_SPEED = 0.6f;

// Distance per frame step, 0 to 0.6.
extern float flightSpeed;
// Unit direction of motion, or zero while at rest after braking (or never moved).
extern Vec3 flightDirection;
// Pointer position of the previous motion event, window pixels.
extern int lastMouseX;
extern int lastMouseY;
