// Double-precision vectors for every direction of the simulation, and the
// quaternion that turns the camera. Object positions are float Vertex records
// (geometry/model.h) and are widened to Vec3 where they enter vector arithmetic.
#pragma once

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // In place. A vector of length exactly 0 stays the zero vector; callers
    // rely on that (a craft at rest, two bodies at the same point).
    void normalize();
    // Rounded to single precision before it is returned.
    float length() const;
    double dot(const Vec3& other) const;
    // this = a × b, written component by component: neither a nor b may be *this.
    void setCross(const Vec3& a, const Vec3& b);
    void scale(double s);
};

Vec3 vec3Add(const Vec3& a, const Vec3& b);
Vec3 vec3Negate(const Vec3& a);

struct Quaternion {
    double w = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double sinHalf = 0.0;  // written by fromAxisAngle, read by nothing
    double cosHalf = 0.0;

    // Normalises the caller's axis in place, then sets the rotation by angle radians.
    void fromAxisAngle(Vec3& axis, double angle);
    // Hamilton product this × b; the result keeps this quaternion's sinHalf and cosHalf.
    Quaternion multiply(const Quaternion& b) const;
    // No guard: callers pass products of a unit rotation and a non-zero vector.
    void normalize();
};
