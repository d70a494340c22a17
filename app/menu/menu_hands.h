// The pause menu in the running game: while paused, the input handlers and
// the paused idle turn hand the menu what the player does, and the game acts
// on what comes back. GL-free; the platform redraws through platformHooks.
#pragma once

#include "app/menu/menu.h"

struct Game;

// A key went down while paused.
void menuKey(Game& game, InputKey key);
// A mouse button went down while paused, the pointer where it was last seen.
void menuClick(Game& game, int button);
// The pointer moved while paused: the row under it is selected.
void menuHover(Game& game, int x, int y);
// One read of the pads while paused, at the source clock's nowMs.
void menuPads(Game& game, const PadState* pads, int count, float nowMs);

// What the menu said. Resume: back to flight, with what the pads hold now
// taken as handled, so the button that resumed does not also act in flight.
// Restart: the lap restarts in the next frame, then as Resume. Quit: the
// game ends as Escape ends it. Then, after any input, the view takes the
// display settings the options screen may have changed, and the window is
// drawn again.
void actOnMenu(Game& game, MenuOutcome outcome, const PadState* pads, int count);
