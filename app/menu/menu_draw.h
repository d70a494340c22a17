// Drawing the pause menu over the still world, with the overlay's font and
// text factor (app/hud/overlay.h, app/hud/hud_scale.h).
#pragma once

#include "app/menu/menu.h"

// After the overlay: dims the frame behind the menu and draws the menu's
// view. Sets menu.layout to the viewport and its text factor first, so that
// the pointer finds the rows where they are drawn. Leaves the GL state as
// drawText does.
void drawMenu(PauseMenu& menu);
