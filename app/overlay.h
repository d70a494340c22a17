// The text overlay over the scene: bitmap text placed in window fractions.
#pragma once

// Draws one line of bitmap text (GLUT_BITMAP_HELVETICA_18 or _12) in the
// colour, its baseline starting at (x, y), with (0, 0) the bottom left and
// (1, 1) the top right of the window, in its own colour whatever texture is
// bound. Leaves lighting, texturing, the matrices and the matrix mode as it
// found them.
void drawText(const char* text, void* font, float red, float green, float blue, float x, float y);

// Once per frame, after the scene's matrix has been popped: steps the
// frame-rate counter and draws every overlay line of this frame. Above
// 1024x768 the text grows by a whole factor with the window (app/hud_scale.h);
// at factor 1 every line goes through drawText.
void drawOverlay();

// Forces the overlay's text factor, 1 to HUD_SCALE_MAX (hud.scale in
// options.ini); 0 lets the window's size choose it.
void setOverlayScale(int forced);
