// The ghost's lines on the overlay: the "GHOST" label while the option is on,
// and for a while after each gate pass the split against the ghost, placed
// clear of every other line.
#pragma once

#include "app/hud/overlay_text.h"

constexpr float GHOST_LABEL_X = 0.88f;
constexpr float GHOST_LABEL_Y = 0.04f;
// Under the best-lap line, right of the options panel and the table.
constexpr float GHOST_SPLIT_X = 0.8f;
constexpr float GHOST_SPLIT_Y = 0.9f;

// Appends the ghost's lines for frame-clock nowMs; nothing while the option is off.
struct Game;
void composeGhostOverlay(OverlayLines& out, const Game& game, float nowMs);
