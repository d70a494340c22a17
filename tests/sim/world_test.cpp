#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/random.h"
#include "support/sim_world.h"

#include <cmath>
#include <cstdint>

namespace {

// The generator written out again, so the field is checked against the
// formulas rather than against the code that builds it.
struct Draws {
    uint64_t state;
    double next()
    {
        state = (state * 214013u + 2531011u) & 0xFFFFFFFFu;
        return static_cast<double>((state >> 16) & 0x7FFF) / 32767.0;
    }
};

struct Expected {
    float value[11];
};

Expected elevenFor(Draws& draws)
{
    Expected e{};
    for (int k = 0; k < 3; ++k) {
        e.value[k] = static_cast<float>(draws.next() * 250.0 - 125.0);
    }
    for (int k = 3; k < 6; ++k) {
        e.value[k] = static_cast<float>(draws.next() - 0.5);
    }
    for (int k = 6; k < 9; ++k) {
        e.value[k] = static_cast<float>(draws.next() - 0.8999999761581421);
    }
    e.value[9] = static_cast<float>(draws.next() * 0.30000001192092896 + 0.009999999776482582);
    e.value[10] = static_cast<float>(draws.next() * 0.25 + 0.1);
    return e;
}

constexpr uint32_t SEED = 1765432100u;

class SeededWorld : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        setUpWorld(world, SEED);
    }
};

}  // namespace

TEST_F(SeededWorld, FirstAsteroidsHoldTheirElevenDrawsInOrder)
{
    Draws draws{SEED};
    for (int k = 0; k < 5; ++k) {
        const Expected e = elevenFor(draws);
        const Asteroid& a = world.asteroids[k];
        EXPECT_EQ(a.position.x, e.value[0]) << k;
        EXPECT_EQ(a.position.y, e.value[1]) << k;
        EXPECT_EQ(a.position.z, e.value[2]) << k;
        const double len = std::sqrt(double(e.value[3]) * e.value[3] + double(e.value[4]) * e.value[4] +
                                     double(e.value[5]) * e.value[5]);
        EXPECT_DOUBLE_EQ(a.direction.x, e.value[3] / len) << k;
        EXPECT_DOUBLE_EQ(a.direction.z, e.value[5] / len) << k;
        EXPECT_EQ(a.spinAxis.x, double(e.value[6])) << k;
        EXPECT_EQ(a.spinAxis.z, double(e.value[8])) << k;
        EXPECT_EQ(a.speed, e.value[9]) << k;
        EXPECT_EQ(a.spinRate, e.value[10]) << k;
        EXPECT_EQ(a.spinAngle, 0.0f) << k;
        EXPECT_EQ(a.index, k);
    }
}

TEST_F(SeededWorld, GatesCameraAndLapsFollowTheField)
{
    Draws draws{SEED};
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        elevenFor(draws);
    }
    for (int g = 0; g < gateCount; ++g) {
        EXPECT_EQ(world.gates[g].spinAxis.x, draws.next()) << g;
        EXPECT_EQ(world.gates[g].spinAxis.y, draws.next()) << g;
        EXPECT_EQ(world.gates[g].spinAxis.z, draws.next()) << g;
        EXPECT_EQ(world.gates[g].active, g == 0 ? 1 : 0);
        EXPECT_EQ(world.gates[g].spinRate, 0.75f);
    }
    EXPECT_EQ(world.gates[8].position.z, -120.0f);
    EXPECT_EQ(world.camera.position.x, -200.0);
    EXPECT_EQ(world.camera.position.y, -50.0);
    EXPECT_EQ(world.camera.target.x, -220.0);
    EXPECT_EQ(world.camera.up.z, 1.0);
    EXPECT_NEAR(std::hypot(-220.0 + 200.0, 50.0), 53.85, 0.01);  // about 54 units from gate 0
    EXPECT_EQ(world.bestLapTime, 999999.0f);
    EXPECT_EQ(world.lapStartTime, 0.0f);

    for (const Asteroid& a : world.asteroids) {
        EXPECT_LE(std::fabs(a.position.x), 125.0f);
        EXPECT_LE(std::fabs(a.position.y), 125.0f);
        EXPECT_LE(std::fabs(a.position.z), 125.0f);
    }
}

TEST_F(SeededWorld, FreeAsteroidsDriftByTheirSpeedPerStep)
{
    // Asteroids more than 22 from every other body cannot meet one in four
    // steps of 2 (at most 0.31 each per step): their positions after the
    // frames follow from the formulas alone.
    bool alone[20] = {};
    for (int k = 0; k < 20; ++k) {
        alone[k] = true;
        for (int m = 0; m < ASTEROID_COUNT; ++m) {
            const double dx = world.asteroids[k].position.x - world.asteroids[m].position.x;
            const double dy = world.asteroids[k].position.y - world.asteroids[m].position.y;
            const double dz = world.asteroids[k].position.z - world.asteroids[m].position.z;
            alone[k] = alone[k] && (m == k || std::sqrt(dx * dx + dy * dy + dz * dz) > 22.0);
        }
    }
    for (int f = 0; f < 4; ++f) {
        frame(33.0f);
    }
    ASSERT_EQ(world.frameStep, 2.0f);

    Draws draws{SEED};
    int checked = 0;
    for (int k = 0; k < 20; ++k) {
        const Expected e = elevenFor(draws);
        if (!alone[k]) {
            continue;
        }
        Vec3 d{e.value[3], e.value[4], e.value[5]};
        d.normalize();
        float x = e.value[0];
        float y = e.value[1];
        float z = e.value[2];
        float spin = 0.0f;
        const float a = 2.0f * e.value[9];
        for (int f = 0; f < 4; ++f) {
            x = x + float(d.x * a);
            y = y + float(d.y * a);
            z = z + float(d.z * a);
            spin = 2.0f * e.value[10] + spin;
        }
        EXPECT_EQ(world.asteroids[k].position.x, x) << k;
        EXPECT_EQ(world.asteroids[k].position.y, y) << k;
        EXPECT_EQ(world.asteroids[k].position.z, z) << k;
        EXPECT_EQ(world.asteroids[k].spinAngle, spin) << k;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}
