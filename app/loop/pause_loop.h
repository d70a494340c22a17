// The frame loop's side of pause (app/loop/pause.h).
//
// While paused the toolkit's idle turn no longer draws frames: it waits for
// input at a modest rate (keys arrive as toolkit callbacks; the focus is
// polled), the cursor shows and the pointer is left where it is. The display
// callback then draws the still scene only when the toolkit asks for it
// (expose, reshape). The next idle turn after the player resumes puts the
// frame loop back.
#pragma once

// Called first in displayFrame: polls the keyboard focus now and then, and
// says whether this frame plays. False while paused, after switching the
// idle turn to waiting.
struct Game;

bool framePlays(Game& game);

// The game's own window only (tests and tools share their display with other
// windows): pauses the game when the window is hidden or iconified, or when
// the keyboard focus goes to another window, once it has had the focus.
void watchFocus(Game& game);
