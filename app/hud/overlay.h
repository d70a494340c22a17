// The text overlay over the scene: bitmap text placed in window fractions.
#pragma once

#include "app/hud/overlay_text.h"

// Draws one line of bitmap text (GLUT_BITMAP_HELVETICA_18 or _12) in the
// colour, its baseline starting at (x, y), with (0, 0) the bottom left and
// (1, 1) the top right of the window, in its own colour whatever texture is
// bound. Leaves lighting, texturing, the matrices and the matrix mode as it
// found them.
void drawText(const char* text, void* font, float red, float green, float blue, float x, float y);

// The toolkit font of a line: GLUT_BITMAP_HELVETICA_18 or _12.
void* overlayBitmapFont(OverlayFont font);

// Pushes the projection and model-view matrices and sets them so that (0, 0)
// is the window's bottom left and (1, 1) its top right, as drawText places a
// line; popWindowFractions pops both and leaves the projection matrix current.
void pushWindowFractions();
void popWindowFractions();

// Once per frame, after the scene's matrix has been popped: steps the
// frame-rate counter and draws every overlay line of this frame, nowMs the
// play clock's reading. Above
// 1024x768 the text grows by a whole factor with the window (app/hud/hud_scale.h);
// at factor 1 every line goes through drawText.
struct Game;
void drawOverlay(Game& game, float nowMs);

// Draws composed lines as drawOverlay does: grown by the window's text factor
// (forcedScale 1 to HUD_SCALE_MAX, or 0 for the window's own), each line at
// its anchor.
void drawOverlayLines(const OverlayLines& lines, int forcedScale);


