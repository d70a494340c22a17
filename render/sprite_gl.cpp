#include "render/sprite.h"

#include "sim/camera.h"

#include <GL/gl.h>

void sendSprite(const Vertex& centre, double halfEdge)
{
    SpriteCorner corners[4];
    spriteCorners(centre, camera.position, camera.up, halfEdge, corners);
    for (const SpriteCorner& corner : corners) {
        glTexCoord2f(corner.u, corner.v);
        glVertex3f(corner.x, corner.y, corner.z);
    }
}
