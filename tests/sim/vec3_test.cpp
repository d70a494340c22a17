#include "sim/vec3.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vec3, NormalizeScalesToUnitAndLeavesZeroAlone)
{
    Vec3 v{3.0, 0.0, 4.0};
    v.normalize();
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_EQ(v.y, 0.0);
    EXPECT_DOUBLE_EQ(v.z, 0.8);

    Vec3 zero;
    zero.normalize();
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_EQ(zero.z, 0.0);
    EXPECT_FALSE(std::isnan(zero.x));
}

TEST(Vec3, LengthIsRoundedToSinglePrecision)
{
    const Vec3 v{1.0, 1.0, 1.0};
    EXPECT_EQ(v.length(), static_cast<float>(std::sqrt(3.0)));
    EXPECT_NE(static_cast<double>(v.length()), std::sqrt(3.0));
}

TEST(Vec3, CrossDotScaleAddNegate)
{
    Vec3 c;
    c.setCross(Vec3{0.0, 0.0, 1.0}, Vec3{1.0, 0.0, 0.0});
    EXPECT_EQ(c.x, 0.0);
    EXPECT_EQ(c.y, 1.0);
    EXPECT_EQ(c.z, 0.0);

    EXPECT_EQ((Vec3{1.0, 2.0, 3.0}.dot(Vec3{4.0, -5.0, 6.0})), 12.0);

    Vec3 s{1.0, -2.0, 0.5};
    s.scale(-2.0);
    const Vec3 sum = vec3Add(s, Vec3{2.0, -4.0, 1.0});
    EXPECT_EQ(sum.x, 0.0);
    EXPECT_EQ(sum.y, 0.0);
    EXPECT_EQ(sum.z, 0.0);
    const Vec3 n = vec3Negate(Vec3{1.0, 0.0, -3.0});
    EXPECT_EQ(n.x, -1.0);
    EXPECT_EQ(n.z, 3.0);
}

TEST(Quaternion, FromAxisAngleNormalisesTheCallersAxis)
{
    Vec3 axis{0.0, 0.0, 2.0};
    Quaternion q;
    q.fromAxisAngle(axis, M_PI);
    EXPECT_EQ(axis.z, 1.0);
    EXPECT_NEAR(q.w, 0.0, 1e-15);
    EXPECT_EQ(q.z, 1.0);
    EXPECT_EQ(q.sinHalf, 1.0);
    EXPECT_NEAR(q.cosHalf, 0.0, 1e-15);
}

TEST(Quaternion, IdentityProductAndNormalize)
{
    Quaternion one;
    one.w = 1.0;
    one.sinHalf = 0.25;
    Quaternion b;
    b.w = 0.5;
    b.x = -1.5;
    b.y = 2.0;
    b.z = 3.25;
    const Quaternion r = one.multiply(b);
    EXPECT_EQ(r.w, b.w);
    EXPECT_EQ(r.x, b.x);
    EXPECT_EQ(r.y, b.y);
    EXPECT_EQ(r.z, b.z);
    EXPECT_EQ(r.sinHalf, 0.25);  // the product keeps the left operand's angle fields

    // i × j = k
    Quaternion i;
    i.x = 1.0;
    Quaternion j;
    j.y = 1.0;
    EXPECT_EQ(i.multiply(j).z, 1.0);
    EXPECT_EQ(j.multiply(i).z, -1.0);

    Quaternion n;
    n.w = 1.0;
    n.x = 1.0;
    n.y = 1.0;
    n.z = 1.0;
    n.normalize();
    EXPECT_EQ(n.w, 0.5);
    EXPECT_EQ(n.z, 0.5);
}
