#include "geometry/frustum.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Matrices in the library's order: element (row r, column c) at 4·c + r.
struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix ortho(float l, float r, float b, float t, float n, float f)
{
    Matrix o;
    o.m[0] = 2.0f / (r - l);
    o.m[5] = 2.0f / (t - b);
    o.m[10] = -2.0f / (f - n);
    o.m[12] = -(r + l) / (r - l);
    o.m[13] = -(t + b) / (t - b);
    o.m[14] = -(f + n) / (f - n);
    return o;
}

// As gluPerspective builds it.
Matrix perspective(double fovyDeg, double aspect, double n, double f)
{
    const double cot = 1.0 / std::tan(fovyDeg * M_PI / 360.0);
    Matrix p;
    p.m[0] = static_cast<float>(cot / aspect);
    p.m[5] = static_cast<float>(cot);
    p.m[10] = static_cast<float>(-(f + n) / (f - n));
    p.m[11] = -1.0f;
    p.m[14] = static_cast<float>(-2.0 * n * f / (f - n));
    p.m[15] = 0.0f;
    return p;
}

Matrix translation(float x, float y, float z)
{
    Matrix t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

// A camera at the origin looking along +x with +y up, as gluLookAt leaves
// the modelview: rows side (0, 0, 1), up (0, 1, 0), backward (-1, 0, 0).
Matrix lookAlongPlusX()
{
    Matrix r;
    r.m[0] = 0.0f;
    r.m[8] = 1.0f;
    r.m[2] = -1.0f;
    r.m[10] = 0.0f;
    return r;
}

Frustum frustumOf(const Matrix& modelview, const Matrix& projection)
{
    Frustum f;
    f.setFromMatrices(modelview.m, projection.m);
    return f;
}

TEST(Frustum, OrthographicPlanesComeOutExactAndInWorldCoordinates)
{
    // Power-of-two bounds keep every step exact. The camera stands at x = 4,
    // so the view's x range -8..8 is world -4..12.
    const Frustum f = frustumOf(translation(-4, 0, 0), ortho(-8, 8, -8, 8, -8, 8));
    const Plane& right = f.planes[PLANE_RIGHT];
    EXPECT_EQ(right.a, -1.0f);
    EXPECT_EQ(right.b, 0.0f);
    EXPECT_EQ(right.c, 0.0f);
    EXPECT_EQ(right.d, 12.0f);
    EXPECT_EQ(f.planes[PLANE_LEFT].a, 1.0f);
    EXPECT_EQ(f.planes[PLANE_LEFT].d, 4.0f);
    EXPECT_EQ(f.planes[PLANE_TOP].b, -1.0f);
    EXPECT_EQ(f.planes[PLANE_BOTTOM].b, 1.0f);
    // The view looks down -z: near bounds z ≤ 8, far z ≥ -8.
    EXPECT_EQ(f.planes[PLANE_NEAR].c, -1.0f);
    EXPECT_EQ(f.planes[PLANE_NEAR].d, 8.0f);
    EXPECT_EQ(f.planes[PLANE_FAR].c, 1.0f);
    EXPECT_EQ(f.planes[PLANE_FAR].d, 8.0f);
    // modelview kept, clip the product.
    EXPECT_EQ(f.modelview[12], -4.0f);
    EXPECT_EQ(f.clip[12], -0.5f);
}

TEST(Frustum, PerspectiveNearAndFarPlanesFollowTheView)
{
    const Frustum f = frustumOf(lookAlongPlusX(), perspective(45.0, 4.0 / 3.0, 1.0, 1024.0));
    const Plane& nearPlane = f.planes[PLANE_NEAR];
    EXPECT_NEAR(nearPlane.a, 1.0f, 1e-6);
    EXPECT_NEAR(nearPlane.b, 0.0f, 1e-6);
    EXPECT_NEAR(nearPlane.c, 0.0f, 1e-6);
    EXPECT_NEAR(nearPlane.d, -1.0f, 1e-3);
    const Plane& farPlane = f.planes[PLANE_FAR];
    EXPECT_NEAR(farPlane.a, -1.0f, 1e-6);
    EXPECT_NEAR(farPlane.d, 1024.0f, 0.1);
    // Top and bottom pass through the eye, 22.5 degrees off the view.
    const double tilt = 22.5 * M_PI / 180.0;
    EXPECT_NEAR(f.planes[PLANE_TOP].d, 0.0f, 1e-6);
    EXPECT_NEAR(f.planes[PLANE_TOP].a, std::sin(tilt), 1e-6);
    EXPECT_NEAR(f.planes[PLANE_TOP].b, -std::cos(tilt), 1e-6);
    EXPECT_NEAR(f.planes[PLANE_BOTTOM].b, std::cos(tilt), 1e-6);
}

TEST(Frustum, CubesAheadPassCubesBehindOrBeyondFail)
{
    const Frustum f = frustumOf(lookAlongPlusX(), perspective(45.0, 4.0 / 3.0, 1.0, 1024.0));
    EXPECT_TRUE(f.boxVisible(100, 0, 0, 32));
    EXPECT_TRUE(f.boxVisible(0, 0, 0, 32));     // contains the camera, reaches past the near plane
    EXPECT_TRUE(f.boxVisible(100, 60, 0, 32));  // straddles the top plane
    EXPECT_FALSE(f.boxVisible(100, 200, 0, 32));
    EXPECT_FALSE(f.boxVisible(1100, 0, 0, 32));

    // Wholly behind the camera: every corner lies behind the near plane.
    const float x = -50.0f;
    const float s = 10.0f;
    EXPECT_FALSE(f.boxVisible(x, 0, 0, s));
    const Plane& nearPlane = f.planes[PLANE_NEAR];
    EXPECT_LT(nearPlane.a * (x + s) + nearPlane.d, 0.0f);
    // The camera on a face of the cube, looking straight out through it: no
    // corner is more than the near distance ahead.
    EXPECT_FALSE(f.boxVisible(-32, 0, 0, 32));
}

TEST(Frustum, AValueOfExactlyZeroIsNotInFront)
{
    const Frustum f = frustumOf(Matrix{}, ortho(-8, 8, -8, 8, -8, 8));
    // x ≤ 8: the nearest corner of a cube centred at 10 with half edge 2 lies
    // exactly on the plane.
    EXPECT_FALSE(f.boxVisible(10, 0, 0, 2));
    EXPECT_TRUE(f.boxVisible(std::nextafter(10.0f, 0.0f), 0, 0, 2));
    // Half edge 0 is a point.
    EXPECT_FALSE(f.boxVisible(8, 0, 0, 0));
    EXPECT_TRUE(f.boxVisible(7.5f, 7.5f, 7.5f, 0));
}

TEST(Frustum, AZeroNormalRejectsEveryCube)
{
    Frustum f = frustumOf(Matrix{}, ortho(-8, 8, -8, 8, -8, 8));
    ASSERT_TRUE(f.boxVisible(0, 0, 0, 4));
    f.planes[PLANE_TOP].set(0.0f, 0.0f, 0.0f, 5.0f);
    EXPECT_TRUE(std::isnan(f.planes[PLANE_TOP].a));
    EXPECT_FALSE(f.boxVisible(0, 0, 0, 4));
    EXPECT_FALSE(f.boxVisible(0, 0, 0, 1000));
}

TEST(Plane, SetNormalisesInSinglePrecision)
{
    Plane p;
    p.set(3.0f, 0.0f, 4.0f, 10.0f);
    EXPECT_EQ(p.a, 0.6f);
    EXPECT_EQ(p.c, 0.8f);
    EXPECT_EQ(p.d, 2.0f);
}

}  // namespace
