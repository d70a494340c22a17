// The overlay's text grown by a whole factor: the toolkit's own bitmap glyphs,
// captured once into a texture and drawn as blocks of scale x scale pixels.
#pragma once

#include "app/hud/overlay_text.h"

// Draws the lines as drawText would at scale 1, every glyph pixel grown to a
// square of scale pixels: each line's baseline at its y, a left-anchored line
// starting at its x, a right-anchored one ending there, in the line's colour.
// Leaves the GL state as drawText does. The glyphs are captured at the first
// call; false (and nothing drawn) when they cannot be, because the viewport
// is too small to render a glyph in.
bool drawScaledLines(const OverlayLines& lines, int scale);
