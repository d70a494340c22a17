#include "render/sprite.h"

void spriteCorners(const Vertex& centre, const Vec3& eye, const Vec3& up, double halfEdge,
                   SpriteCorner corners[4])
{
    const Vec3 d{centre.x - eye.x, centre.y - eye.y, centre.z - eye.z};
    Vec3 a;
    a.setCross(d, up);
    a.normalize();
    Vec3 b;
    b.setCross(d, a);
    b.normalize();

    // Signs of the a and b offsets per corner, and the texture coordinates.
    const double signA[4] = {-1.0, 1.0, 1.0, -1.0};
    const double signB[4] = {1.0, 1.0, -1.0, -1.0};
    const float texU[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float texV[4] = {1.0f, 1.0f, 0.0f, 0.0f};
    for (int i = 0; i < 4; ++i) {
        const double ha = signA[i] * halfEdge;
        const double hb = signB[i] * halfEdge;
        corners[i].x = static_cast<float>(eye.x + d.x + ha * a.x + hb * b.x);
        corners[i].y = static_cast<float>(eye.y + d.y + ha * a.y + hb * b.y);
        corners[i].z = static_cast<float>(eye.z + d.z + ha * a.z + hb * b.z);
        corners[i].u = texU[i];
        corners[i].v = texV[i];
    }
}
