#include "sim/camera.h"

namespace {

// Turns v about axis by angle with the one-sided product q × (0, v): for a
// unit v perpendicular to the axis that is a turn by half the angle, which
// the mouse sensitivity is tuned to. fromAxisAngle normalises the caller's
// axis in place, so the camera's own vector is renormalised on every turn.
void turnAbout(Vec3& v, Vec3& axis, double angle)
{
    Quaternion q;
    q.fromAxisAngle(axis, angle);
    Quaternion p;
    p.w = 0.0;
    p.x = v.x;
    p.y = v.y;
    p.z = v.z;
    Quaternion r = q.multiply(p);
    r.normalize();
    v = Vec3{r.x, r.y, r.z};
}

// The single-precision 0.025 widened: the roll rate per step.
constexpr double ROLL_RATE = 0.02500000037252903;

}  // namespace

void Camera::setTarget(float x, float y, float z)
{
    target = Vec3{x, y, z};
}

void Camera::placeAt(float x, float y, float z)
{
    position = Vec3{x, y, z};
    view = Vec3{target.x - position.x, target.y - position.y, target.z - position.z};
    view.normalize();
    up = Vec3{0.0, 0.0, 1.0};
    side.setCross(up, view);
    side.normalize();
}

void Camera::yaw()
{
    turnAbout(view, up, yawAngle);
    side.setCross(up, view);
    side.normalize();
}

void Camera::pitch()
{
    turnAbout(view, side, pitchAngle);
    up.setCross(view, side);
    up.normalize();
}

void Camera::look(float yawRadians, float pitchRadians)
{
    yawAngle = yawRadians;
    pitchAngle = pitchRadians;
    yaw();
    pitch();
}

void Camera::normalizeAxes()
{
    side.normalize();
    up.normalize();
    view.normalize();
}

void Camera::roll(int input, float step)
{
    Vec3 lean = side;
    lean.scale(static_cast<double>(input) * ROLL_RATE * static_cast<double>(step));
    up = vec3Add(up, lean);
    up.normalize();
    side.setCross(up, view);
    side.normalize();
}
