#include "render/backdrop.h"

#include "render/texture_table.h"

#include <GL/gl.h>

namespace {

struct BackdropCorner {
    float s;
    float t;
    float x;  // signs of the half edge
    float y;
    float z;
};

// Six faces of four corners, each face mapping the whole texture once. The
// last coordinate, (0, 1), stays current for the gates drawn next.
const BackdropCorner BACKDROP_CORNERS[24] = {
    {0, 0, -1, -1, +1}, {1, 0, +1, -1, +1}, {1, 1, +1, +1, +1}, {0, 1, -1, +1, +1},  // z = +h
    {1, 0, -1, -1, -1}, {1, 1, -1, +1, -1}, {0, 1, +1, +1, -1}, {0, 0, +1, -1, -1},  // z = -h
    {0, 0, -1, +1, -1}, {1, 0, -1, +1, +1}, {1, 1, +1, +1, +1}, {0, 1, +1, +1, -1},  // y = +h
    {0, 0, -1, -1, -1}, {1, 0, +1, -1, -1}, {1, 1, +1, -1, +1}, {0, 1, -1, -1, +1},  // y = -h
    {1, 0, +1, -1, -1}, {1, 1, +1, +1, -1}, {0, 1, +1, +1, +1}, {0, 0, +1, -1, +1},  // x = +h
    {0, 0, -1, -1, -1}, {1, 0, -1, -1, +1}, {1, 1, -1, +1, +1}, {0, 1, -1, +1, -1},  // x = -h
};

}  // namespace

void drawBackdrop(int edge, const Vec3& eye, bool faceCulling)
{
    // Seen from inside, half the faces wind the culled way round.
    if (faceCulling) {
        glDisable(GL_CULL_FACE);
    }
    bindTexture(TEX_STARS);
    glDisable(GL_LIGHTING);

    const float cx = static_cast<float>(eye.x);
    const float cy = static_cast<float>(eye.y);
    const float cz = static_cast<float>(eye.z);
    glTranslatef(cx, cy, cz);

    const float h = static_cast<float>(edge / 2);
    glBegin(GL_QUADS);
    for (const BackdropCorner& corner : BACKDROP_CORNERS) {
        glTexCoord2f(corner.s, corner.t);
        glColor3f(1.0f, 1.0f, 1.0f);
        glVertex3f(corner.x * h, corner.y * h, corner.z * h);
    }
    glEnd();

    glEnable(GL_LIGHTING);
    glTranslatef(-cx, -cy, -cz);
    if (faceCulling) {
        glEnable(GL_CULL_FACE);
    }
}
