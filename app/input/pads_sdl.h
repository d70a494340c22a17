// The game controllers, through SDL's game-controller API: every pad SDL
// knows (its built-in mappings and those of "gamecontrollerdb.txt" in the game
// folder), plugged in or pulled out at any time. The window stays the
// toolkit's; SDL only reads the pads.
#pragma once

extern const char* const PAD_MAPPINGS_FILE;

// Starts SDL's game controllers and hands it the mappings of
// PAD_MAPPINGS_FILE, when there is one. A file that cannot be used, or from
// which SDL takes no mapping, is named in one line, as the other player files
// are, and the first few lines SDL refuses with their numbers; without game
// controllers at all the game runs on keys and mouse.
void startPads();

struct Game;

// Once a frame, before the frame's update: takes pads plugged in or pulled
// out, reads every pad and hands them to applyPads with elapsedMs, the time
// since the previous update, which is the step the coming update takes.
// Nothing before startPads.
void readPads(Game& game, float elapsedMs);

// More pads than players fit round one keyboard; further ones are not read.
constexpr int PAD_CAPACITY = 8;

struct PadState;

// Takes pads plugged in or pulled out and reads every pad into states (room
// for PAD_CAPACITY); returns how many. 0 before startPads. For the pause
// menu, which reads the pads in place of the game.
int readPadStates(PadState* states);

// Closes every pad and stops SDL's game controllers; the game, when given,
// forgets what its pads held.
void stopPads(Game* game = nullptr);

// Pads open now.
int padCount();
