// One displayed frame without drawing, for replays, soaks and benchmarks.
#pragma once

struct Game;

// The world's side of a displayed frame at play-clock nowMs (advanceFrame):
// the step, the handling of its events, the ghost's sample. A displayed
// frame then only draws, so the world changes exactly as in one.
void headlessFrame(Game& game, float nowMs);
