#include "render/palette.h"

const Palette PALETTES[PALETTE_COUNT] = {
    // The designed course: green for go, red for the rest.
    {{0.2f, 0.7f, 0.2f}, {0.7f, 0.2f, 0.2f}, {0.0f, 1.0f, 0.0f}, {0.2f, 1.0f, 0.2f}, {1.0f, 0.2f, 0.2f}},
    // Orange for the gate to fly and for falling behind, blue for the rest and
    // for gaining: the two stay far apart along the blue-yellow axis that all
    // three common deficiencies keep, and in lightness.
    {{0.95f, 0.55f, 0.1f}, {0.25f, 0.5f, 1.0f}, {1.0f, 0.6f, 0.0f}, {0.35f, 0.7f, 1.0f}, {1.0f, 0.55f, 0.1f}},
};

const char* const PALETTE_NAMES[PALETTE_COUNT + 1] = {"designed", "safe", nullptr};

const Palette& paletteOf(int choice)
{
    return PALETTES[choice >= 0 && choice < PALETTE_COUNT ? choice : PALETTE_DESIGNED];
}
