#include "render/radar.h"

#include "sim/camera.h"

namespace {
// Single-precision constants widened where they are used, like every other
// cockpit measure.
constexpr float PANEL_DISTANCE = 3.6f;
constexpr float PANEL_HALF_WIDTH = 2.0f;
constexpr float PANEL_HALF_HEIGHT = 1.5f;
constexpr float FRONT_SCOPE_SIDE = 0.517f;
constexpr float REAR_SCOPE_SIDE = -0.564f;
constexpr float SCOPE_UP = -0.725f;
constexpr float DOT_HALF_SIZE = 0.005f;
constexpr float BLIP_SIDE_TRAVEL = 0.135f;
constexpr float BLIP_UP_TRAVEL = 0.175f;

Vec3 scaled(const Vec3& v, double s)
{
    return Vec3{v.x * s, v.y * s, v.z * s};
}

// a + side × s + up × u, component by component.
Vec3 offset(const Vec3& a, const CockpitAxes& axes, double s, double u)
{
    return Vec3{a.x + axes.side.x * s + axes.up.x * u, a.y + axes.side.y * s + axes.up.y * u,
                a.z + axes.side.z * s + axes.up.z * u};
}
}  // namespace

CockpitAxes cockpitAxes(const Camera& camera)
{
    return CockpitAxes{scaled(camera.side, PANEL_HALF_WIDTH), scaled(camera.up, PANEL_HALF_HEIGHT),
                       scaled(camera.view, PANEL_DISTANCE)};
}

RadarDots radarDots(const CockpitAxes& axes, const Camera& camera)
{
    RadarDots dots;
    dots.halfSide = scaled(axes.side, DOT_HALF_SIZE);
    dots.halfUp = scaled(axes.up, DOT_HALF_SIZE);
    dots.front = offset(axes.view, axes, FRONT_SCOPE_SIDE, SCOPE_UP);
    dots.rear = offset(axes.view, axes, REAR_SCOPE_SIDE, SCOPE_UP);

    const Vec3 toTarget{camera.target.x - camera.position.x, camera.target.y - camera.position.y,
                        camera.target.z - camera.position.z};
    Vec3 t{toTarget.dot(camera.side), toTarget.dot(camera.up), toTarget.dot(camera.view)};
    t.normalize();
    dots.blipInRear = t.z < 0.0;
    const Vec3& scope = dots.blipInRear ? dots.rear : dots.front;
    dots.blip = offset(scope, axes, t.x * BLIP_SIDE_TRAVEL, t.y * BLIP_UP_TRAVEL);
    return dots;
}
