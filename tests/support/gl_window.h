// One toolkit window for all GL tests of the process, opened the way the game
// opens its display (game mode, or the full-screen window where the mode
// cannot be set, as under Xvfb).
#pragma once

void ensureGlWindow();
