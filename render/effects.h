// Everything in the 3D scene that is neither a lit model nor the backdrop: the
// course line, explosion and smoke sprites, and the cockpit with its radar.
// Each runs inside the frame's camera transform, outside glBegin/glEnd, and
// returns with lighting and depth testing on, as the frame has them. Each
// reads the world and changes nothing of it.
#pragma once

struct Camera;
struct Gate;
struct Rocket;
struct ViewSettings;
struct World;

// A white closed line through the gates in course order (key I).
void drawCourseLine(const Gate* gates);

// The rocket's explosion: an 8 × 8 sprite at its explosionPoint facing the
// eye, showing the explosion image slot (a texture-table slot).
void drawExplosion(const Rocket& rocket, int slot, const Camera& eye, bool transparency);

// The rocket's smoke trail: one 1 × 1 sprite per trail particle facing the
// eye, faded by its trailLife while transparency is on.
void drawSmokeTrail(const Rocket& rocket, const Camera& eye, bool transparency);

// The cockpit panel in front of the eye, always blended and always filled, and
// the radar blip towards the camera's target. The panel is placed by the
// camera the frame shows (world.shown.camera), the radar read from the
// renormalised camera, which needs unit vectors; the blip in the view's
// palette, the panel filled even in wireframe.
void drawCockpit(const World& world, const ViewSettings& view);

// The canopy beside the panel, in front of the eye like it, when the window
// is wider than 4:3 (view.windowAspect; render/cockpit_sides.h); draws nothing
// otherwise.
void drawCockpitSides(const World& world, const ViewSettings& view);
