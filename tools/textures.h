// The game's pictures, painted in code.
#pragma once

#include "tools/image.h"

constexpr int EXPLOSION_FRAME_COUNT = 25;

Image paintStars();            // "stars.tga": one face of the star box
Image paintRock();             // "ast.tga": tiles in both directions
Image paintGatePanels();       // "gate.tga": corner texels white
Image paintCockpit();          // "cp.tga": frame, two radar scopes, clear middle
Image paintCockpitSides();     // "cp_sides.tga": the canopy left and right of it, side by side
Image paintExplosion(int frame);  // "explosion/sprNNN.tga", frame 0..24
Image paintSmoke();            // "smoke.tga"
Image paintLogo();             // "logo.tga"
Image paintIcon(int size);     // the desktop icon, size × size pixels

// The title's polished metal at height h (0 at the baseline, 1 at the cap
// line), shared by the logo and the icon so that both look alike.
Color chromeShade(double h);
