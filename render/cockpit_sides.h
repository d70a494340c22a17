// The cockpit beside the panel. The designed panel fills a 4:3 view; a wider
// window shows the canopy going on to either side, painted at the panel's own
// scale ("cp_sides.tga"), so nothing of the panel, its scopes or its blip is
// stretched. Windows no wider than 4:3 (5:4 among them) show the panel alone.
#pragma once

// How far the side pieces reach from the middle, in the panel's half widths:
// 0 (none) for a view no wider than 4:3, else just past the view's edge (1.33
// at 16:9, 2.65 at 32:9), and never past the painted 3.
double cockpitSidesReach(double aspect);
