// Program entry: builds the world, opens sound and display, registers the
// callbacks and hands control to the toolkit's main loop.
#pragma once

int runGame(int argc, char** argv);

// After the random generator was seeded: the settings, the high-score list,
// every object's model, the asteroid field, the course, the camera and the
// lap state.
void loadWorld();

// With a current window and the platform hooks installed: the fixed lighting
// and graphics state, the callbacks, the texture table, the swap interval and
// the asteroid octree.
void prepareGraphics();

// Registers the toolkit callbacks in their fixed order; needs a current window.
void registerCallbacks();

// Hands the platform services (pointer warp, modifiers, display and sound
// shutdown) to the GL-free core.
void installPlatformHooks();
