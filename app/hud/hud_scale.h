// How much the overlay's text grows on a large screen: a whole factor, so
// that each pixel of the toolkit's bitmap glyphs becomes a square block and
// the text stays as sharp as it is at 1024x768.
#pragma once

// The largest factor a player can force (hud.scale in options.ini).
constexpr int HUD_SCALE_MAX = 4;

// The factor for a window of width x height pixels. forced from 1 to
// HUD_SCALE_MAX is used as it is; 0 (or anything out of range) means
// automatic.
int hudScale(int width, int height, int forced);
