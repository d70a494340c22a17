// Per-frame state of the frame driver and the update step that advances it.
#pragma once

// Milliseconds between the previous update and this one.
extern float frameElapsedMs;
// frameElapsedMs / 16.5: the unit of every per-frame motion, so speeds are
// distances per 16.5 ms.
extern float frameStep;
// Time stamp of the previous update (frameClock milliseconds).
extern float lastFrameTime;
// Options panel time left, ms; set to 1500 by an option key, not above 0 means hidden.
extern float optionsOverlayTimer;
// Rocket launch cooldown, whole ms; not above 0 means ready.
extern int rocketCooldown;

// The clock the update reads: timerGetTime in the game, a scripted clock in
// tests and replays.
using FrameClock = float (*)();
extern FrameClock frameClock;

// One simulation step: time step, countdowns, flight, asteroids, gates,
// rockets, collisions, gate pass. Touches no graphics.
void updateFrame();
