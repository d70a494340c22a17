// Pause: the player (the pause action) or the desktop (the window hidden or
// the keyboard focus gone) stops the world, and only the player goes on.
//
// The world reads time only through the frame input's clock reading, which
// the game takes from playClock: the clock behind it (game.clockSource) less
// every paused stretch. So while paused no frame time passes: nothing moves or
// counts down, and a lap's time, the overlay's running time and the ghost's
// samples leave the pause out. The first frame after a pause measures only
// played time.
//
// Pause state (game.pause) is no part of the world: the world digest does not
// hash it.
#pragma once

struct Game;

// The source clock's milliseconds less every paused stretch; stands still
// while paused.
float playClock(const Game& game);

bool gamePaused(const Game& game);

// Stops the play clock, releases every held action (thrust, brake, rolls),
// so a key-up that goes elsewhere while paused never leaves one acting, and
// opens the pause menu. Nothing while paused.
void pauseGame(Game& game);

// Starts the play clock again where it stopped. Nothing while playing.
void resumeGame(Game& game);

// The pause action of the controls table.
void togglePause(Game& game);

// The window hidden, or the keyboard gone to another window: becoming away
// pauses the game. SDL hands the game pad input whichever window has the
// keyboard, so while away a pad cannot end the pause; it holds until the
// window is back and the player goes on.
void setWindowAway(Game& game, bool away);
bool windowAway(const Game& game);
