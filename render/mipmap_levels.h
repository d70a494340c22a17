// The mipmap levels of a texture image, built on the processor so that the work
// can run beside the display's set-up instead of on the GL thread. The levels
// are byte for byte what the GL utility library makes of the same image: a side
// that is not a power of two is first brought to the nearest power of two with
// gluScaleImage's box filter (gluBuild2DMipmaps would rescale it itself, but its
// byte path leaves the last row black when only one side changes), then
// gluBuild2DMipmaps halves level after level with its own rounding.
// tests/render/mipmap_levels_gl_test.cpp holds the two side by side.
#pragma once

#include "render/tga.h"

#include <vector>

struct MipmapLevel {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // tightly packed rows, as the image's
};

// The power of two nearest to a side, as the library picks it: 5 gives 4, 6
// gives 8, 3 gives 4.
int nearestPowerOfTwo(int side);

// Level 0 (the image itself when its sides are powers of two, which takes its
// pixels without a copy) down to 1 × 1, each level half the one before.
std::vector<MipmapLevel> buildMipmapLevels(TgaImage image);
