// Drawing the best lap being watched (app/race/replay_watch.h): the replay's
// own world through the game's drawing, from the cockpit or from the chase
// camera with the craft model, and the watch's overlay.
#pragma once

struct Game;

// A displayed frame while watching: moves the replay on by the real time
// since the last frame, draws it and its overlay into cleared buffers. Reads
// nothing of the live world; the caller swaps the buffers.
void drawReplayFrame(Game& game);
