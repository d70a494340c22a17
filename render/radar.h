// Geometry of the cockpit panel and its two radar scopes, relative to the eye.
// The front scope sits low on the left of the panel, the rear scope low on the
// right; a green blip in one of them shows where the active gate lies.
#pragma once

#include "sim/vec3.h"

struct Camera;

// The panel's axes: the camera's side, up and view scaled to half width,
// half height and distance ahead of the panel. Radar offsets are in these
// "panel units".
struct CockpitAxes {
    Vec3 side;
    Vec3 up;
    Vec3 view;
};

// The panel at 3.6 ahead, 2.0 to each side and 1.5 up and down, from the
// camera's vectors as they are (before drawCockpit normalises them).
CockpitAxes cockpitAxes(const Camera& camera);

struct RadarDots {
    Vec3 front;     // centre of the front scope
    Vec3 rear;      // centre of the rear scope
    Vec3 blip;      // centre of the blip
    bool blipInRear = false;
    Vec3 halfSide;  // half size of a dot along side and along up
    Vec3 halfUp;
};

// Scope and blip centres relative to the eye. The blip goes to the rear scope
// only when the target lies behind the eye plane; ahead, level or at the eye
// it is in the front scope, offset from the centre by the target's direction.
// The camera's side, up and view must be unit vectors.
RadarDots radarDots(const CockpitAxes& axes, const Camera& camera);
