#include "sim/vec3.h"

#include <cmath>

void Vec3::normalize()
{
    const double len = std::sqrt((x * x + y * y) + z * z);
    if (len == 0.0) {
        return;
    }
    x /= len;
    y /= len;
    z /= len;
}

float Vec3::length() const
{
    return static_cast<float>(std::sqrt(x * x + y * y + z * z));
}

double Vec3::dot(const Vec3& other) const
{
    return x * other.x + y * other.y + z * other.z;
}

void Vec3::setCross(const Vec3& a, const Vec3& b)
{
    x = a.y * b.z - a.z * b.y;
    y = a.z * b.x - a.x * b.z;
    z = a.x * b.y - a.y * b.x;
}

void Vec3::scale(double s)
{
    x *= s;
    y *= s;
    z *= s;
}

Vec3 vec3Add(const Vec3& a, const Vec3& b)
{
    return Vec3{a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 vec3Negate(const Vec3& a)
{
    return Vec3{a.x * -1.0, a.y * -1.0, a.z * -1.0};
}

void Quaternion::fromAxisAngle(Vec3& axis, double angle)
{
    axis.normalize();
    const double half = angle * 0.5;
    sinHalf = std::sin(half);
    cosHalf = std::cos(half);
    x = axis.x * sinHalf;
    y = axis.y * sinHalf;
    z = axis.z * sinHalf;
    w = cosHalf;
}

Quaternion Quaternion::multiply(const Quaternion& b) const
{
    Quaternion r = *this;
    r.w = w * b.w - x * b.x - y * b.y - z * b.z;
    r.x = x * b.w + w * b.x + y * b.z - z * b.y;
    r.y = y * b.w + w * b.y + z * b.x - x * b.z;
    r.z = z * b.w + w * b.z + x * b.y - y * b.x;
    return r;
}

void Quaternion::normalize()
{
    const double n = std::sqrt(w * w + x * x + y * y + z * z);
    x /= n;
    y /= n;
    z /= n;
    w /= n;
}
