#include "sim/world.h"

#include "app/frame_state.h"
#include "app/options.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sound/sound.h"

void (*afterAsteroidDrift)() = nullptr;

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

float draw(double scale, double offset)
{
    return static_cast<float>(randomUnit() * scale + offset);
}

void scatterAsteroid(int k)
{
    // One draw per statement: the order of the eleven draws is part of the field.
    const float px = draw(FIELD_SPAN, -FIELD_HALF);
    const float py = draw(FIELD_SPAN, -FIELD_HALF);
    const float pz = draw(FIELD_SPAN, -FIELD_HALF);
    const float dx = static_cast<float>(randomUnit() - 0.5);
    const float dy = static_cast<float>(randomUnit() - 0.5);
    const float dz = static_cast<float>(randomUnit() - 0.5);
    const float ax = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float ay = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float az = static_cast<float>(randomUnit() - AXIS_SHIFT);
    const float speed = draw(SPEED_SPAN, SPEED_BASE);
    const float spinRate = draw(SPIN_SPAN, SPIN_BASE);
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
    camera.setTarget(gates[0].position.x, gates[0].position.y, gates[0].position.z);
    camera.placeAt(START_X, START_Y, START_Z);
    bestLapTime = NO_LAP_TIME;
    lapStartTime = 0.0f;
    lastLapTime = 0.0f;
}

void resetWorld()
{
    camera = Camera{};
    resetFlight();

    for (Asteroid& a : asteroids) {
        a.position = Vertex{};
        a.direction = Vec3{};
        a.spinAxis = Vec3{};
        a.speed = 0.0f;
        a.spinRate = 0.0f;
        a.spinAngle = 0.0f;
        a.index = 0;
    }
    const Rocket fresh;
    for (Rocket& r : rockets) {
        r.position = Vertex{};
        r.direction = fresh.direction;
        r.speed = fresh.speed;
        r.state = fresh.state;
        r.explosionActive = fresh.explosionActive;
        r.explosionPoint = fresh.explosionPoint;
        r.explosionFrame = fresh.explosionFrame;
        r.explosionTimer = fresh.explosionTimer;
        for (int i = 0; i < TRAIL_LENGTH; ++i) {
            r.trail[i] = Vertex{};
            r.trailLife[i] = 0.0f;
            r.trailSpare[i] = 0.0f;
        }
        r.trailCount = fresh.trailCount;
    }
    for (Gate& g : gates) {
        g.position = Vertex{};
        g.active = 0;
        g.spinAxis = Vec3{};
        g.spinRate = 0.0f;
        g.spinAngle = 0.0f;
    }
    lapStartTime = 0.0f;
    lastLapTime = 0.0f;
    bestLapTime = NO_LAP_TIME;

    frameElapsedMs = 0.0f;
    frameStep = 0.0f;
    lastFrameTime = 0.0f;
    optionsOverlayTimer = 0.0f;
    rocketCooldown = 0;

    thrustInput = 0;
    rollInput = 0;
    showFps = 0;
    wireframe = 0;
    textureFilter = 1;
    mipMapping = 1;
    displayLists = 0;
    frustumCulling = 0;
    transparency = 1;
    faceCulling = 0;
    showHighScores = 0;
    showCourseLine = 0;
    showOctree = 0;
    radioVolume = RADIO_VOLUME_START;
}
