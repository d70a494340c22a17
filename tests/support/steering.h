// Steering shared by the scripted pilots (the replay recorder and the
// autopilot): where to point the view so that the craft's drifting track bends
// onto a goal, the pointer motion that turns the view there, and whether a
// rocket fired now would meet an asteroid. GL-free; reads the world only.
#pragma once

#include "sim/world.h"

#include <cmath>

namespace steering {

// One pixel of pointer motion turns the view by this many radians.
constexpr double TURN_PER_PIXEL = 0.00125;
constexpr double ROCKET_SPEED = 2.5;

inline Vec3 minus(const Vec3& a, const Vec3& b)
{
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

inline Vec3 fromVertex(const Vertex& v)
{
    return Vec3{v.x, v.y, v.z};
}

inline Vec3 scaled(Vec3 v, double s)
{
    v.scale(s);
    return v;
}

inline int clampInt(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Where to point the view to head along goal (relative to the craft): along
// it, leaning against the part of the craft's drift that does not go that
// way, so the track bends in. lean is the share of the drift leant against
// at a speed of 0.6.
inline Vec3 aimAgainstDrift(const World& world, Vec3 goal, double lean = 1.5)
{
    const float flightSpeed = world.flightSpeed;
    const Vec3& flightDirection = world.flightDirection;
    goal.normalize();
    if (flightSpeed < 0.05f) {
        return goal;
    }
    const double along = flightDirection.dot(goal);
    const Vec3 drift = minus(flightDirection, scaled(goal, along));
    Vec3 aim = minus(goal, scaled(drift, lean * flightSpeed / 0.6));
    aim.normalize();
    return aim;
}

struct PointerStep {
    int dx = 0;
    int dy = 0;
};

// The turn of the view onto aim, radians: yaw to the left, pitch up.
struct ViewTurn {
    double yaw = 0.0;
    double pitch = 0.0;
};
inline ViewTurn viewTurnToward(const World& world, const Vec3& aim)
{
    const Camera& camera = world.camera;
    const double ahead = aim.dot(camera.view);
    const double left = aim.dot(camera.side);
    const double above = aim.dot(camera.up);
    return ViewTurn{std::atan2(left, ahead), std::atan2(above, std::sqrt(left * left + ahead * ahead))};
}

// The pointer motion that turns the view onto aim, at most maxPixels on each
// axis. The pointer moving right turns the view right (away from side);
// moving down turns it up.
inline PointerStep pointerStepToward(const World& world, const Vec3& aim, int maxPixels)
{
    const ViewTurn turn = viewTurnToward(world, aim);
    PointerStep step;
    step.dx = clampInt(static_cast<int>(std::lround(-turn.yaw / TURN_PER_PIXEL)), -maxPixels, maxPixels);
    step.dy = clampInt(static_cast<int>(std::lround(turn.pitch / TURN_PER_PIXEL)), -maxPixels, maxPixels);
    return step;
}

// An asteroid whose drift will bring it within reach of the line of sight,
// between nearest and farthest ahead, by the time a rocket gets there.
inline bool asteroidInSights(const World& world, double nearest = 14.0, double farthest = 160.0,
                             double reach = 7.0)
{
    const Camera& camera = world.camera;
    for (const Asteroid& a : world.asteroids) {
        const Vec3 rel = minus(fromVertex(a.position), camera.position);
        const double along = rel.dot(camera.view);
        if (along < nearest || along > farthest) {
            continue;
        }
        const Vec3 later = vec3Add(rel, scaled(a.direction, a.speed * along / ROCKET_SPEED));
        const double ahead = later.dot(camera.view);
        const Vec3 off = minus(later, scaled(camera.view, ahead));
        if (off.length() < reach) {
            return true;
        }
    }
    return false;
}

}  // namespace steering
