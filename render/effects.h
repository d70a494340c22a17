// Everything in the 3D scene that is neither a lit model nor the backdrop: the
// course line, explosion and smoke sprites, and the cockpit with its radar.
// Each runs inside the frame's camera transform, outside glBegin/glEnd, and
// returns with lighting and depth testing on, as the frame has them.
#pragma once

// A white closed line through the gates in course order (key I).
void drawCourseLine();

// One frame of the explosion of rocket rocketIndex (0 to 7): an 8 × 8 sprite
// at its explosionPoint, advanced through the explosion images by the frame
// time. Call while the rocket's explosionActive is 1; the last image clears it.
void drawExplosion(int rocketIndex);
// The explosion's current image, as it stands: advances nothing.
void drawStillExplosion(int rocketIndex);

// The smoke trail of rocket rocketIndex: one 1 × 1 sprite per trail particle,
// faded by its trailLife while transparency is on.
void drawSmokeTrail(int rocketIndex);

// The cockpit panel in front of the eye, always blended and always filled, and
// the radar blip towards the camera's target. Leaves the camera's side, up and
// view normalised.
void drawCockpit();
// The same, leaving the camera as it is.
void drawStillCockpit();
// The canopy beside the panel, in front of the eye like it, when the window
// is wider than 4:3 (render/cockpit_sides.h); draws nothing otherwise.
void drawCockpitSides();
