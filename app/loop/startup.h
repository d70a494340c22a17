// Program entry: builds the world, opens sound and display, registers the
// callbacks and hands control to the toolkit's main loop.
#pragma once

#include <cstdint>

struct Game;

int runGame(int argc, char** argv);

// The settings, options and high-score list, every object's model, then the
// world made fresh from seed: the asteroid field, the course, the camera, the
// lap state and the octree.
void loadWorld(Game& game, uint32_t seed);

// With a current window and the platform hooks installed: the fixed lighting
// and graphics state, the callbacks (acting on game), the texture table and
// the swap interval.
void prepareGraphics(Game& game);

// Registers the toolkit callbacks in their fixed order, each acting on game;
// needs a current window.
void registerCallbacks(Game& game);

// Hands the platform services (pointer warp, modifiers, display and sound
// shutdown) to the GL-free core.
void installPlatformHooks();
