// The end of a run.
#pragma once

struct Game;

// Escape, pressed or released (or the window closed from outside): save the
// best lap if there is one (high score, ghost and replay), leave the display,
// free the octree, close the sound and end the process with status 0.
void runExitSequence(Game& game);
