#include "sim/collision.h"

#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/flight.h"
#include "sim/frame_events.h"
#include "sim/rocket.h"
#include "sim/world.h"

#include <cstdint>
#include <cstring>

namespace {

// A velocity split along a unit contact direction n.
struct VelocityParts {
    Vec3 normal;
    Vec3 tangent;
};

// The normal part is n × (|V| × (n · direction)), with |V| the velocity's
// length rounded to float; it is the same for n and −n.
VelocityParts split(const Vec3& direction, float speed, const Vec3& n)
{
    Vec3 velocity = direction;
    velocity.scale(speed);
    const double magnitude = velocity.length();
    VelocityParts parts;
    parts.normal = n;
    parts.normal.scale(magnitude * n.dot(direction));
    parts.tangent = vec3Add(velocity, vec3Negate(parts.normal));
    return parts;
}

// Stores a velocity as direction and speed; a zero velocity leaves a zero direction.
void store(Vec3 velocity, Vec3& direction, float& speed)
{
    speed = velocity.length();
    velocity.normalize();
    direction = velocity;
}

void capSpeed(float& speed, float cap)
{
    if (speed > cap) {
        speed = cap;
    }
}

Vec3 towards(const Vertex& from, const Vertex& to)
{
    Vec3 n{static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y,
           static_cast<double>(to.z) - from.z};
    return n;
}

// The contact test: three float differences, squared and summed exactly
// (a float's square fits a double, and so does the sum near the reach).
double distance2(float dx, float dy, float dz)
{
    const double x = dx;
    const double y = dy;
    const double z = dz;
    return (x * x + y * y) + z * z;
}

// Pass 1 scans 40,000 ordered pairs. The asteroids' positions are packed into
// three float arrays so that four pairs are screened at once in float; a
// float sum of squares is within a few units in the last place of the exact
// one, so everything below SCREEN_REACH2 is re-tested exactly and the outcome
// is the same as testing every pair exactly.
typedef float Float4 __attribute__((vector_size(16)));
typedef int32_t Int4 __attribute__((vector_size(16)));
constexpr float SCREEN_REACH2 = 256.5f;
constexpr int SCREEN_BLOCK = 8;
static_assert(ASTEROID_COUNT % SCREEN_BLOCK == 0, "the screen walks whole blocks");

struct PackedPositions {
    alignas(16) float x[ASTEROID_COUNT];
    alignas(16) float y[ASTEROID_COUNT];
    alignas(16) float z[ASTEROID_COUNT];
};

Float4 load4(const float* p)
{
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool anySet(Int4 mask)
{
    uint64_t halves[2];
    std::memcpy(halves, &mask, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

void resolveAsteroidPair(Asteroid* asteroids, PackedPositions& packed, int i, int j)
{
    Asteroid& a = asteroids[i];
    Asteroid& b = asteroids[j];
    const float dx = a.position.x - b.position.x;
    const float dy = a.position.y - b.position.y;
    const float dz = a.position.z - b.position.z;
    if (!(distance2(dx, dy, dz) < ASTEROID_PAIR_REACH2)) {
        return;
    }
    Vec3 n = towards(a.position, b.position);
    n.normalize();
    b.position.x = static_cast<float>(a.position.x + n.x * ASTEROID_PAIR_SEPARATION);
    b.position.y = static_cast<float>(a.position.y + n.y * ASTEROID_PAIR_SEPARATION);
    b.position.z = static_cast<float>(a.position.z + n.z * ASTEROID_PAIR_SEPARATION);
    packed.x[j] = b.position.x;
    packed.y[j] = b.position.y;
    packed.z[j] = b.position.z;
    n = towards(a.position, b.position);
    n.normalize();

    const VelocityParts pa = split(a.direction, a.speed, n);
    const VelocityParts pb = split(b.direction, b.speed, n);
    store(vec3Add(pa.tangent, pb.normal), a.direction, a.speed);
    store(vec3Add(pb.tangent, pa.normal), b.direction, b.speed);
    capSpeed(a.speed, ASTEROID_SPEED_CAP);
    capSpeed(b.speed, ASTEROID_SPEED_CAP);
}

// Every ordered pair, outer index first: a touching pair is met first with i
// the lower index, and the higher one is moved out of reach. Within one outer
// index only asteroid j of a touching pair moves, so a block screened before
// its contacts are resolved stays valid for the rest of the block.
void resolveAsteroidPairs(Asteroid* asteroids)
{
    PackedPositions packed;
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        packed.x[k] = asteroids[k].position.x;
        packed.y[k] = asteroids[k].position.y;
        packed.z[k] = asteroids[k].position.z;
    }
    const Float4 reach = Float4{} + SCREEN_REACH2;
    for (int i = 0; i < ASTEROID_COUNT; ++i) {
        const Float4 xi = Float4{} + packed.x[i];
        const Float4 yi = Float4{} + packed.y[i];
        const Float4 zi = Float4{} + packed.z[i];
        for (int block = 0; block < ASTEROID_COUNT; block += SCREEN_BLOCK) {
            const Float4 dx0 = xi - load4(packed.x + block);
            const Float4 dy0 = yi - load4(packed.y + block);
            const Float4 dz0 = zi - load4(packed.z + block);
            const Float4 dx1 = xi - load4(packed.x + block + 4);
            const Float4 dy1 = yi - load4(packed.y + block + 4);
            const Float4 dz1 = zi - load4(packed.z + block + 4);
            const Float4 s0 = dx0 * dx0 + dy0 * dy0 + dz0 * dz0;
            const Float4 s1 = dx1 * dx1 + dy1 * dy1 + dz1 * dz1;
            if (!anySet((s0 < reach) | (s1 < reach))) {
                continue;
            }
            for (int j = block; j < block + SCREEN_BLOCK; ++j) {
                if (j != i) {
                    resolveAsteroidPair(asteroids, packed, i, j);
                }
            }
        }
    }
}

void hitAsteroid(World& world, Rocket& rocket, Asteroid& target, FrameEvents& events)
{
    Vec3 n = towards(rocket.position, target.position);
    const double len = n.length();
    n.normalize();
    const Vertex point(static_cast<float>(rocket.position.x + n.x * (len - ASTEROID_RADIUS)),
                       static_cast<float>(rocket.position.y + n.y * (len - ASTEROID_RADIUS)),
                       static_cast<float>(rocket.position.z + n.z * (len - ASTEROID_RADIUS)));

    const VelocityParts pa = split(target.direction, target.speed, n);
    const VelocityParts pr = split(rocket.direction, rocket.speed, n);
    Vec3 push = pr.normal;
    push.scale(ROCKET_PUSH_SHARE);
    store(vec3Add(pa.tangent, push), target.direction, target.speed);
    capSpeed(target.speed, ASTEROID_SPEED_CAP_AFTER_HIT);

    rocket.explode(point);
    FrameEvent hit;
    hit.kind = EVENT_ROCKET_HIT;
    hit.rocket = static_cast<int>(&rocket - world.rockets);
    hit.asteroid = static_cast<int>(&target - world.asteroids);
    events.push(hit);
}

// A rocket's state is looked at once, before its scan: within reach of
// several asteroids in one frame it hits each of them.
void resolveRocketHits(World& world, FrameEvents& events)
{
    for (Rocket& rocket : world.rockets) {
        if (rocket.state != ROCKET_FLYING) {
            continue;
        }
        for (Asteroid& target : world.asteroids) {
            const float dx = target.position.x - rocket.position.x;
            const float dy = target.position.y - rocket.position.y;
            const float dz = target.position.z - rocket.position.z;
            if (distance2(dx, dy, dz) < CRAFT_OR_ROCKET_REACH2) {
                hitAsteroid(world, rocket, target, events);
            }
        }
    }
}

Vec3 fromCraft(const Vec3& craft, const Vertex& to)
{
    return Vec3{static_cast<double>(to.x) - craft.x, static_cast<double>(to.y) - craft.y,
                static_cast<double>(to.z) - craft.z};
}

void bounceCraft(World& world, Asteroid& target, FrameEvents& events)
{
    const Vec3& craft = world.camera.position;
    float& flightSpeed = world.flightSpeed;
    Vec3& flightDirection = world.flightDirection;
    Vec3 n = fromCraft(craft, target.position);
    n.normalize();
    target.position.x = static_cast<float>(craft.x + n.x * CRAFT_SEPARATION);
    target.position.y = static_cast<float>(craft.y + n.y * CRAFT_SEPARATION);
    target.position.z = static_cast<float>(craft.z + n.z * CRAFT_SEPARATION);
    n = fromCraft(craft, target.position);
    n.normalize();

    const VelocityParts pc = split(flightDirection, flightSpeed, n);
    const VelocityParts pa = split(target.direction, target.speed, n);
    store(vec3Add(pc.tangent, pa.normal), flightDirection, flightSpeed);
    if (flightSpeed > CRAFT_BOUNCE_LIMIT) {
        flightSpeed = CRAFT_BOUNCE_SPEED;
    }
    store(vec3Add(pa.tangent, pc.normal), target.direction, target.speed);
    capSpeed(target.speed, ASTEROID_SPEED_CAP);

    // The app lets go of the thrust on this event: it stays off until its
    // key is pressed again.
    FrameEvent contact;
    contact.kind = EVENT_CRAFT_CONTACT;
    contact.asteroid = static_cast<int>(&target - world.asteroids);
    events.push(contact);
}

void resolveCraftContacts(World& world, FrameEvents& events)
{
    const Vec3& craft = world.camera.position;
    for (Asteroid& target : world.asteroids) {
        const float dx = static_cast<float>(target.position.x - craft.x);
        const float dy = static_cast<float>(target.position.y - craft.y);
        const float dz = static_cast<float>(target.position.z - craft.z);
        if (distance2(dx, dy, dz) < CRAFT_OR_ROCKET_REACH2) {
            bounceCraft(world, target, events);
        }
    }
}

}  // namespace

void resolveCollisions(World& world, FrameEvents& events)
{
    resolveAsteroidPairs(world.asteroids);
    resolveRocketHits(world, events);
    resolveCraftContacts(world, events);
}
