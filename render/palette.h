// The colours that tell the course apart: the gate to fly through next, the
// other gates, the radar blip that points at the next gate, and the ghost's
// split (ahead or behind). The designed palette is red and green; the safe one
// is orange and blue, which players with any common colour-vision deficiency
// (deuteranopia, protanopia, tritanopia) still tell apart.
#pragma once

struct PaletteColour {
    float red;
    float green;
    float blue;
};

struct Palette {
    PaletteColour activeGate;
    PaletteColour otherGate;
    PaletteColour blip;
    PaletteColour splitAhead;
    PaletteColour splitBehind;
};

enum PaletteChoice : int { PALETTE_DESIGNED = 0, PALETTE_SAFE = 1, PALETTE_COUNT = 2 };

extern const Palette PALETTES[PALETTE_COUNT];
// The words options.ini names them by, in choice order, then null.
extern const char* const PALETTE_NAMES[PALETTE_COUNT + 1];

// The palette of a choice (the view's palette, set from display.palette): the
// designed one for any index out of range. A setting of the view: no part of
// the world, its replays or its digest.
const Palette& paletteOf(int choice);
