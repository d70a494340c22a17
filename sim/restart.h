// Restarting the lap: the craft goes back to where and as a run starts, while
// the rest of the world (the drifting asteroids, rockets in flight) carries on.
#pragma once

// Puts the craft at the start facing gate 0: place, view and up as a run
// begins. The start of a run and a restart share it.
void placeCraftAtStart();

// The craft at the start at speed 0, gate 0 active and the lap clock as at
// the start of a run (no lap begun), rockets ready to launch. The run's best
// lap stays; the lap in progress is dropped: neither timed nor recorded.
// Asteroids, rockets in flight and every option are left as they are. Pushes
// EVENT_LAP_RESTARTED, on which the app drops the lap the ghost was recording.
void restartLap();
