// The camera-facing square shared by the explosion and the smoke: its corners
// are worked out without GL, so they can be checked headless; sendSprite hands
// them to GL inside the caller's glBegin/glEnd.
#pragma once

#include "geometry/model.h"
#include "sim/vec3.h"

struct SpriteCorner {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};

// Corners of a square of half edge halfEdge around centre, turned to face the
// eye, in drawing order with their texture coordinates: (0, 1), (1, 1),
// (1, 0), (0, 0). A centre straight along up from the eye has no facing and
// collapses to a point.
void spriteCorners(const Vertex& centre, const Vec3& eye, const Vec3& up, double halfEdge,
                   SpriteCorner corners[4]);

struct Camera;

// Texture coordinates and vertices of the sprite facing the eye; GL.
void sendSprite(const Vertex& centre, double halfEdge, const Camera& eye);
