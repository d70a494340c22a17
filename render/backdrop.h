// The star box: a cube centred on the camera, never turned, its six inner
// faces showing the star texture unlit. It moves with the camera, so the stars
// shift on screen only when the view turns.
#pragma once

#include "sim/vec3.h"

// The star box's edge length in the game.
constexpr int BACKDROP_EDGE = 1024;

// Draws the cube of the given edge length (the half edge is edge / 2 in whole
// units) around the eye. First thing of the scene, inside the camera
// transform; leaves lighting on, face culling as it was (faceCulling: on) and
// TEX_STARS bound.
void drawBackdrop(int edge, const Vec3& eye, bool faceCulling);
