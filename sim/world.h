// Building the world at start-up, and putting it back to its start for tests
// and replays.
#pragma once

// The random part of the world, drawn in this fixed order after the
// generator was seeded: for each asteroid 0 to 199 its eleven values
// (position, direction, spin axis, speed, spin rate), then each gate's spin
// axis while the gates are laid out from the course table. Then the camera
// faces gate 0 from (-200, -50, 0), and no lap has been run. Models are not
// loaded here; loading draws no random numbers, so it may come before or after.
void setUpWorld();

// Restores every value the simulation, the frame driver and the input
// handlers own to its start value: the craft, camera and pointer reference,
// asteroid, rocket and gate fields, lap times, countdowns, inputs, option
// flags and the radio volume. Loaded models, the random generator, the frame
// clock and the platform hooks are left alone.
void resetWorld();

