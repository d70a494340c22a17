#include "geometry/frustum.h"

#include <cmath>


void Plane::set(float pa, float pb, float pc, float pd)
{
    const float lengthSquared = pa * pa + pb * pb + pc * pc;
    const float length = std::sqrt(lengthSquared);
    a = pa / length;
    b = pb / length;
    c = pc / length;
    d = pd / length;
}

void Frustum::setFromMatrices(const float modelviewMatrix[16], const float projectionMatrix[16])
{
    float projection[16];
    for (int i = 0; i < 16; ++i) {
        modelview[i] = modelviewMatrix[i];
        projection[i] = projectionMatrix[i];
        clip[i] = projectionMatrix[i];
    }
    const float* m = modelview;
    const float* p = projection;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            clip[4 * j + i] =
                m[4 * j + 0] * p[0 + i] + m[4 * j + 1] * p[4 + i] + m[4 * j + 2] * p[8 + i] + m[4 * j + 3] * p[12 + i];
        }
    }

    const float* k = clip;
    planes[PLANE_RIGHT].set(k[3] - k[0], k[7] - k[4], k[11] - k[8], k[15] - k[12]);
    planes[PLANE_LEFT].set(k[3] + k[0], k[7] + k[4], k[11] + k[8], k[15] + k[12]);
    planes[PLANE_BOTTOM].set(k[3] + k[1], k[7] + k[5], k[11] + k[9], k[15] + k[13]);
    planes[PLANE_TOP].set(k[3] - k[1], k[7] - k[5], k[11] - k[9], k[15] - k[13]);
    planes[PLANE_FAR].set(k[3] - k[2], k[7] - k[6], k[11] - k[10], k[15] - k[14]);
    planes[PLANE_NEAR].set(k[3] + k[2], k[7] + k[6], k[11] + k[10], k[15] + k[14]);
}

bool Frustum::boxVisible(float x, float y, float z, float s) const
{
    const float xs[8] = {x - s, x + s, x - s, x + s, x - s, x + s, x - s, x + s};
    const float ys[8] = {y - s, y - s, y + s, y + s, y - s, y - s, y + s, y + s};
    const float zs[8] = {z - s, z - s, z - s, z - s, z + s, z + s, z + s, z + s};
    for (const Plane& plane : planes) {
        bool anyInFront = false;
        for (int corner = 0; corner < 8; ++corner) {
            // Strictly positive: a corner exactly on the plane, or a NaN
            // value, is not in front.
            if (plane.a * xs[corner] + plane.b * ys[corner] + plane.c * zs[corner] + plane.d > 0.0f) {
                anyInFront = true;
                break;
            }
        }
        if (!anyInFront) {
            return false;
        }
    }
    return true;
}
