#include "sim/world.h"


namespace {

constexpr float START_X = -200.0f;
constexpr float START_Y = -50.0f;
constexpr float START_Z = 0.0f;

// Scatter ranges of the asteroid field; 0.9, 0.3 and 0.01 are the
// single-precision constants widened.
constexpr double FIELD_SPAN = 250.0;
constexpr double FIELD_HALF = 125.0;
constexpr double AXIS_SHIFT = 0.8999999761581421;
constexpr double SPEED_SPAN = 0.30000001192092896;
constexpr double SPEED_BASE = 0.009999999776482582;
constexpr double SPIN_SPAN = 0.25;
constexpr double SPIN_BASE = 0.1;

// One random number u in [0, 1], as u × span + start in single precision.
float randomInSpan(Random& random, double span, double start)
{
    return static_cast<float>(random.unit() * span + start);
}

void scatterAsteroid(World& world, int k)
{
    Random& random = world.random;
    // One random number per statement: the order of the eleven is part of the field.
    const float px = randomInSpan(random, FIELD_SPAN, -FIELD_HALF);
    const float py = randomInSpan(random, FIELD_SPAN, -FIELD_HALF);
    const float pz = randomInSpan(random, FIELD_SPAN, -FIELD_HALF);
    const float dx = static_cast<float>(random.unit() - 0.5);
    const float dy = static_cast<float>(random.unit() - 0.5);
    const float dz = static_cast<float>(random.unit() - 0.5);
    const float ax = static_cast<float>(random.unit() - AXIS_SHIFT);
    const float ay = static_cast<float>(random.unit() - AXIS_SHIFT);
    const float az = static_cast<float>(random.unit() - AXIS_SHIFT);
    const float speed = randomInSpan(random, SPEED_SPAN, SPEED_BASE);
    const float spinRate = randomInSpan(random, SPIN_SPAN, SPIN_BASE);
    world.asteroids[k].init(px, py, pz, dx, dy, dz, ax, ay, az, speed, spinRate, k);
}

// A record back to its start: every field of its table to its start value and
// the head's position to the origin; the loaded model (geometry, colours) stays.
template <class Record>
void resetRecord(Record& record)
{
    Record fresh;
    static_cast<Model&>(fresh) = static_cast<const Model&>(record);
    fresh.position = Vertex{};
    record = fresh;
}

void placeAtStart(World& world)
{
    const Gate& start = world.gates[0];
    world.camera.setTarget(start.position.x, start.position.y, start.position.z);
    world.camera.placeAt(START_X, START_Y, START_Z);
}

}  // namespace

void setUpWorld(World& world, uint32_t seed)
{
    world.camera = Camera{};
    world.flightSpeed = 0.0f;
    world.flightDirection = Vec3();
    for (Asteroid& a : world.asteroids) {
        resetRecord(a);
    }
    for (Rocket& r : world.rockets) {
        resetRecord(r);
    }
    for (Gate& g : world.gates) {
        resetRecord(g);
    }
    world.rocketCooldown = 0;
    world.lapStartTime = 0.0f;
    world.lastLapTime = 0.0f;
    world.bestLapTime = NO_LAP_TIME;
    world.frameElapsedMs = 0.0f;
    world.frameStep = 0.0f;
    world.lastFrameTime = 0.0f;
    world.random.seed(seed);

    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        scatterAsteroid(world, k);
    }
    for (int g = 0; g < gateCount; ++g) {
        gateSetUp(world.gates[g], courseTable[g].x, courseTable[g].y, courseTable[g].z, g == 0 ? 1 : 0,
                  world.random);
    }
    placeAtStart(world);

    world.octree.build(OCTREE_DEPTH);
    for (const Asteroid& asteroid : world.asteroids) {
        world.octree.insert(asteroid);
    }
    world.shown = FrameShown{};
    world.shown.camera = world.camera;
}

void loadWorldModels(World& world)
{
    for (Asteroid& asteroid : world.asteroids) {
        asteroid.load("asteroid1.txt");
    }
    for (Rocket& rocket : world.rockets) {
        rocket.load("rocket.txt");
    }
    for (Gate& gate : world.gates) {
        gate.load("tor.txt");
    }
}

void restartLap(World& world)
{
    for (int g = 0; g < gateCount; ++g) {
        world.gates[g].active = g == 0 ? 1 : 0;
    }
    world.camera = Camera{};
    placeAtStart(world);
    world.flightSpeed = 0.0f;
    world.flightDirection = Vec3();
    // No lap running and none just ended: the next pass of gate 0 starts a
    // lap rather than timing the dropped one.
    world.lapStartTime = 0.0f;
    world.lastLapTime = 0.0f;
    world.rocketCooldown = 0;
}
