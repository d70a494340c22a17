// The simulation step of a frame and the clock it reads.
#pragma once

#include "sim/world_state.h"

// The clock the update and the lap timing read, in milliseconds: the app
// installs timerGetTime, tests and replays a scripted clock. Nothing reads it
// before it is installed.
using FrameClock = float (*)();
extern FrameClock frameClock;

// One simulation step: time step, countdowns, flight, asteroids, gates,
// rockets, collisions, gate pass. Touches no graphics and plays no sound:
// what happened is left in frameEvents (sim/frame_events.h).
void updateFrame();
