#include "render/sprite.h"

#include "sim/camera.h"

#include <GL/gl.h>

void sendSprite(const Vertex& centre, double halfEdge, const Camera& eye)
{
    SpriteCorner corners[4];
    spriteCorners(centre, eye.position, eye.up, halfEdge, corners);
    for (const SpriteCorner& corner : corners) {
        glTexCoord2f(corner.u, corner.v);
        glVertex3f(corner.x, corner.y, corner.z);
    }
}
