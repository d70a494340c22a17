#include "sim/world.h"

#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/random.h"
#include "sim/restart.h"
#include "sim/rocket.h"

namespace {

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
float randomInSpan(double span, double start)
{
    return static_cast<float>(randomUnit() * span + start);
}

void scatterAsteroid(int k)
{
    // One random number per statement: the order of the eleven is part of the field.
    const float px = randomInSpan(FIELD_SPAN, -FIELD_HALF);
    const float py = randomInSpan(FIELD_SPAN, -FIELD_HALF);
    const float pz = randomInSpan(FIELD_SPAN, -FIELD_HALF);
    const float dx = static_cast<float>(randomUnit() - 0.5);
    const float dy = static_cast<float>(randomUnit() - 0.5);
    const float dz = static_cast<float>(randomUnit() - 0.5);
    const float ax = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float ay = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float az = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float speed = randomInSpan(SPEED_SPAN, SPEED_BASE);
    const float spinRate = randomInSpan(SPIN_SPAN, SPIN_BASE);
    asteroids[k].init(px, py, pz, dx, dy, dz, ax, ay, az, speed, spinRate, k);
}

}  // namespace

void setUpWorld()
{
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        scatterAsteroid(k);
    }
    for (int g = 0; g < gateCount; ++g) {
        gateSetUp(gates[g], courseTable[g].x, courseTable[g].y, courseTable[g].z, g == 0 ? 1 : 0);
    }
    placeCraftAtStart();
    bestLapTime = NO_LAP_TIME;
    lapStartTime = 0.0f;
    lastLapTime = 0.0f;
}

namespace {

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

}  // namespace

void resetWorld()
{
    camera = Camera{};
    resetFlight();
    for (Asteroid& a : asteroids) {
        resetRecord(a);
    }
    for (Rocket& r : rockets) {
        resetRecord(r);
    }
    for (Gate& g : gates) {
        resetRecord(g);
    }
    resetWorldScalars();
}
