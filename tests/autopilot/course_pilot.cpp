#include "tests/autopilot/course_pilot.h"

#include "app/loop/game.h"
#include "app/input/input.h"
#include "app/loop/pause.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/world.h"
#include "tests/support/steering.h"

#include <cmath>

using steering::minus;
using steering::scaled;

namespace {

constexpr int SCREEN_W = 1024;
constexpr int SCREEN_H = 768;
constexpr int MAX_PIXELS_PER_EVENT = 40;
// Frames between an asteroid cutting thrust and the pilot pressing W again.
constexpr int REACTION_FRAMES = 3;
// The pilot heads for a point on the gate's approach line this share of its
// distance before the gate, so that it arrives turned part of the way
// toward the gate after it.
constexpr double APPROACH_LEAD = 0.35;
constexpr double APPROACH_LEAD_MAX = 40.0;
// How far the pilot leans against its drift at top speed.
constexpr double DRIFT_LEAN = 1.5;
// Thrust pulls the velocity toward the view: pointed further than this from
// the line of flight it would also slow the craft, which regains top speed
// only over minutes.
constexpr double MAX_AIM_OFF_FLIGHT_COS = 0.0871557;  // cos 85°
// A gate more than 60° off the line of flight and inside the tightest turn
// (with this margin) has been overshot.
constexpr double OVERSHOT_COS = 0.5;
constexpr double TURN_MARGIN = 1.15;
// The pilot flies on past an overshot gate only while it stays this far inside the arena.
constexpr double WALL_CLEARANCE = 240.0;
// Overshooting a gate this close, the pilot brakes down to STOPPED_SPEED.
constexpr double CIRCLING_DISTANCE = 30.0;
constexpr float STOPPED_SPEED = 0.05f;
// ... once it has sought the gate this long (the longest leg takes about 5 s).
constexpr float CIRCLING_AFTER_MS = 8000.0f;
// Asteroids a rocket would meet within this reach of the line of sight are fired at.
constexpr double SHOT_NEAREST = 20.0;
constexpr double SHOT_FARTHEST = 110.0;
constexpr double SHOT_REACH = 10.0;
// Asteroids whose drift brings them within AVOID_REACH of the craft within
// AVOID_STEPS time steps are steered around.
constexpr double AVOID_REACH = 16.0;
constexpr double AVOID_STEPS = 50.0;
constexpr double AVOID_WEIGHT = 1.0;

Vec3 gatePoint(const World& world, int i)
{
    const Gate& g = world.gates[(i + gateCount) % gateCount];
    return steering::fromVertex(g.position);
}

Vec3 unit(Vec3 v)
{
    v.normalize();
    return v;
}

// Direction to fly through gate i: halfway between the leg that arrives and
// the leg that leaves.
Vec3 passHeading(const World& world, int i)
{
    const Vec3 in = unit(minus(gatePoint(world, i), gatePoint(world, i - 1)));
    const Vec3 out = unit(minus(gatePoint(world, i + 1), gatePoint(world, i)));
    return unit(vec3Add(in, out));
}

// A sideways nudge away from the asteroid that would pass closest to the
// craft soon, or zero when none comes within reach.
Vec3 avoidance(const World& world)
{
    const Camera& camera = world.camera;
    Vec3 velocity = world.flightDirection;
    velocity.scale(world.flightSpeed);
    Vec3 nudge;
    double worst = AVOID_REACH;
    for (const Asteroid& a : world.asteroids) {
        const Vec3 rel = minus(steering::fromVertex(a.position), camera.position);
        const Vec3 closing = minus(scaled(a.direction, a.speed), velocity);
        const double rate2 = closing.dot(closing);
        if (rate2 < 1e-9) {
            continue;
        }
        const double t = -rel.dot(closing) / rate2;
        if (t < 0.0 || t > AVOID_STEPS) {
            continue;
        }
        const Vec3 nearest = vec3Add(rel, scaled(closing, t));
        const double miss = nearest.length();
        if (miss < worst) {
            worst = miss;
            // Away from where the asteroid will pass; straight at it, any side will do.
            nudge = miss > 1e-6 ? scaled(nearest, -1.0 / miss) : camera.up;
            nudge.scale(AVOID_WEIGHT * (AVOID_REACH - miss) / AVOID_REACH);
        }
    }
    return nudge;
}

// The aim turned back toward the line of flight where it points too far off it.
Vec3 keepingSpeed(const World& world, const Vec3& aim)
{
    const Vec3& flightDirection = world.flightDirection;
    const Camera& camera = world.camera;
    if (world.flightSpeed <= 0.0f) {
        return aim;
    }
    const double along = aim.dot(flightDirection);
    if (along >= MAX_AIM_OFF_FLIGHT_COS) {
        return aim;
    }
    Vec3 across = minus(aim, scaled(flightDirection, along));
    if (across.length() < 0.3) {
        // Nearly straight back: keep turning the way the view already leans,
        // rather than one way and then the other.
        across = minus(camera.view, scaled(flightDirection, camera.view.dot(flightDirection)));
        if (across.length() < 0.05) {
            across = camera.up;
        }
    }
    across.normalize();
    const double sine = std::sqrt(1.0 - MAX_AIM_OFF_FLIGHT_COS * MAX_AIM_OFF_FLIGHT_COS);
    return vec3Add(scaled(flightDirection, MAX_AIM_OFF_FLIGHT_COS), scaled(across, sine));
}

// The radius of the craft's tightest turn at its speed: thrust at right
// angles to the flight turns the velocity by (5v + 5) / 1500 / v per step.
double turnRadius(const World& world)
{
    const double v = world.flightSpeed;
    return v * v * 1500.0 / (5.0 * v + 5.0);
}

// True when flying on straight for the distance stays clear of the arena walls,
// which would hold the craft where it is.
bool roomAhead(const World& world, double distance)
{
    const Vec3 ahead = vec3Add(world.camera.position, scaled(world.flightDirection, distance));
    return std::fabs(ahead.x) < WALL_CLEARANCE && std::fabs(ahead.y) < WALL_CLEARANCE &&
           std::fabs(ahead.z) < WALL_CLEARANCE;
}

// True when the craft has overshot the point (relative to the craft): it
// lies well off the line of flight and inside the circle the craft would fly
// turning toward it at its tightest, so it can be reached only by flying on
// and turning later.
bool overshot(const World& world, const Vec3& point)
{
    const double d = point.length();
    const double along = point.dot(world.flightDirection);
    if (along > OVERSHOT_COS * d || !roomAhead(world, turnRadius(world))) {
        return false;
    }
    const double across = std::sqrt(std::fmax(0.0, d * d - along * along));
    // A circle of radius R touching the line of flight at the craft holds the
    // points with d² < 2 R · across.
    return d * d < 2.0 * TURN_MARGIN * turnRadius(world) * across;
}

}  // namespace

int activeGate(const World& world)
{
    for (int i = 0; i < gateCount; ++i) {
        if (world.gates[i].active == 1) {
            return i;
        }
    }
    return -1;
}

void CoursePilot::act(int frame)
{
    hands.nextFrame();
    steer();
    throttle(frame);
    shoot();
}

void MouseAndKeys::turnToward(const Vec3& aim)
{
    const steering::PointerStep step = steering::pointerStepToward(game.world, aim, MAX_PIXELS_PER_EVENT);
    if (step.dx == 0 && step.dy == 0) {
        return;
    }
    pointerX = steering::clampInt(pointerX + step.dx, 0, SCREEN_W - 1);
    pointerY = steering::clampInt(pointerY + step.dy, 0, SCREEN_H - 1);
    onMouseMove(game, pointerX, pointerY);
}

void MouseAndKeys::hold(Throttle throttle)
{
    onKeyDown(game, throttle == Throttle::BRAKE ? 's' : 'w');
}

void MouseAndKeys::letGo(Throttle throttle)
{
    onKeyUp(game, throttle == Throttle::BRAKE ? 's' : 'w');
}

void MouseAndKeys::fire()
{
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP);
}

void MouseAndKeys::pointerWarped(int x, int y)
{
    pointerX = x;
    pointerY = y;
}

void CoursePilot::steer()
{
    const World& world = game.world;
    const int gate = activeGate(world);
    if (gate < 0) {
        return;
    }
    const Vec3 toGate = minus(gatePoint(world, gate), world.camera.position);
    double lead = APPROACH_LEAD * toGate.length();
    if (lead > APPROACH_LEAD_MAX) {
        lead = APPROACH_LEAD_MAX;
    }
    const Vec3 goal = unit(minus(toGate, scaled(passHeading(world, gate), lead)));
    // Overshot, the pilot pulls straight back toward the gate and lets the
    // craft slow into a tighter turn; otherwise it keeps its speed.
    hands.turnToward(overshot(world, toGate)
                         ? steering::aimAgainstDrift(world, goal, DRIFT_LEAN)
                         : keepingSpeed(world, steering::aimAgainstDrift(world, vec3Add(goal, avoidance(world)),
                                                                         DRIFT_LEAN)));
}

// Circling close round a gate it keeps missing, the craft is stopped almost
// dead, so that the next thrust sets off straight at the gate.
bool CoursePilot::circlingGate()
{
    const World& world = game.world;
    const int gate = activeGate(world);
    const float now = playClock(game);
    if (gate != gateSought) {
        gateSought = gate;
        soughtSince = now;
    }
    if (gate < 0 || now - soughtSince < CIRCLING_AFTER_MS) {
        return false;
    }
    const Vec3 toGate = minus(gatePoint(world, gate), world.camera.position);
    return toGate.length() < CIRCLING_DISTANCE && overshot(world, toGate);
}

void CoursePilot::throttle(int frame)
{
    const float flightSpeed = game.world.flightSpeed;
    if (braking || (circlingGate() && flightSpeed > STOPPED_SPEED)) {
        braking = flightSpeed > STOPPED_SPEED;
        const Throttle wanted = braking ? Throttle::BRAKE : Throttle::THRUST;
        if (held != wanted) {
            if (held != Throttle::NONE) {
                hands.letGo(held);
            }
            hands.hold(wanted);
            held = wanted;
        }
        if (braking) {
            return;
        }
    }
    if (held != Throttle::THRUST) {
        hands.hold(Throttle::THRUST);
        held = Throttle::THRUST;
        return;
    }
    if (game.hands.thrustInput != 0) {
        repressAt = -1;
        return;
    }
    // An asteroid knocked the thrust off while it was held: let go, and
    // press again in the next frame, so the game sees the control go up.
    if (repressAt < 0) {
        repressAt = frame + REACTION_FRAMES;
    } else if (frame == repressAt) {
        hands.letGo(Throttle::THRUST);
    } else if (frame > repressAt) {
        hands.hold(Throttle::THRUST);
        ++represses;
        repressAt = -1;
    }
}

void CoursePilot::shoot()
{
    if (game.world.rocketCooldown > 0 ||
        !steering::asteroidInSights(game.world, SHOT_NEAREST, SHOT_FARTHEST, SHOT_REACH)) {
        return;
    }
    hands.fire();
    ++shots;
}
