// The craft's motion: it moves along flightDirection at flightSpeed, which
// thrust pulls toward the camera's view; the mouse turns the view.
#pragma once

#include "sim/vec3.h"
#include "sim/world_state.h"

constexpr float TOP_SPEED = 0.6f;
// The craft is held within ±ARENA_LIMIT on every axis; its speed survives the clamp.
constexpr double ARENA_LIMIT = 256.0;

// Mouse-look band: the pointer is kept between 101 and 299 on both axes by
// warping it back to the centre line whenever an event reaches the edge.
constexpr int MOUSE_BAND_LOW = 100;
constexpr int MOUSE_BAND_HIGH = 300;
constexpr int MOUSE_BAND_CENTRE = 200;

// The player's mouse feel (options.ini): a factor on the designed turn of
// both axes, and the vertical turned round. At the start values the angles are
// exactly the designed ones. A setting, not part of the world: no reset of
// the world touches it and the world digest does not hash it.
constexpr float MOUSE_SENSITIVITY_START = 1.0f;
struct MouseFeel {
    float sensitivity = MOUSE_SENSITIVITY_START;
    bool invertY = false;
};
extern MouseFeel mouseFeel;

// flightSpeed (distance per frame step, 0 to 0.6), flightDirection (unit, or
// zero while at rest) and lastMouseX/Y (the previous motion event's pointer
// position, window pixels) live in the world's state tables.

// One thrust step: accelerate 1 pulls the velocity toward the view and speeds
// up by a band-dependent increment; 0 brakes along the current direction.
void applyThrust(int accelerate, float step);

// Moves the craft along its direction of flight and clamps each coordinate
// to ±256; speed and direction are kept.
void moveCraft(float step);

// Passive pointer motion: turns the view by the pointer's movement and warps
// the pointer back into the band. The motion event a warp itself produces
// (the toolkit reports one at the warp target) only tells where the pointer
// now is: it never turns the view.
void steerByMouse(int x, int y);

// Pointer motion with a button held: the view does not turn, but the pointer
// is followed so that the first motion after the button is released measures
// from where the pointer really is.
void followDraggedPointer(int x, int y);

// Warps whose motion events have not arrived yet.
int pendingPointerEchoCount();

// Back to the start of the flight's own bookkeeping: the pointer reference of
// drags and the warps awaiting their echo. The flight values of the state
// tables are reset with the rest of the world.
void resetFlight();
