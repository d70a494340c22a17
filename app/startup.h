// Program entry: builds the world, opens sound and display, registers the
// callbacks and hands control to the toolkit's main loop.
#pragma once

int runGame(int argc, char** argv);

// Registers the toolkit callbacks in their fixed order; needs a current window.
void registerCallbacks();

// Hands the platform services (pointer warp, modifiers, display and sound
// shutdown) to the GL-free core.
void installPlatformHooks();
