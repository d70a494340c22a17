#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/sim_world.h"

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

class WorldDigest : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        setUpWorld(world, 99);
    }
};

float nudged(float v)
{
    return std::nextafter(v, 1e30f);
}
double nudged(double v)
{
    return std::nextafter(v, 1e300);
}

}  // namespace

// A change of one unit in the last place anywhere in the world must show,
// also deep inside the last rocket's trail.
TEST_F(WorldDigest, EveryPartOfTheWorldReachesTheHash)
{
    World& w = world;
    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"camera view", [&w] { w.camera.view.x = nudged(w.camera.view.x); }},
        {"camera target", [&w] { w.camera.target.z = nudged(w.camera.target.z); }},
        {"yaw angle", [&w] { w.camera.yawAngle = nudged(w.camera.yawAngle); }},
        {"flight speed", [&w] { w.flightSpeed = nudged(w.flightSpeed); }},
        {"flight direction", [&w] { w.flightDirection.y = nudged(w.flightDirection.y); }},
        {"asteroid spin", [&w] { w.asteroids[199].spinAngle = nudged(w.asteroids[199].spinAngle); }},
        {"asteroid direction", [&w] { w.asteroids[100].direction.z = nudged(w.asteroids[100].direction.z); }},
        {"rocket state", [&w] { w.rockets[7].state = ROCKET_FADING; }},
        {"explosion timer", [&w] { w.rockets[4].explosionTimer = nudged(w.rockets[4].explosionTimer); }},
        {"last trail particle", [&w] { w.rockets[7].trail[TRAIL_LENGTH - 1].z = nudged(w.rockets[7].trail[499].z); }},
        {"trail life", [&w] { w.rockets[7].trailLife[TRAIL_LENGTH - 1] = nudged(w.rockets[7].trailLife[499]); }},
        {"trail spare", [&w] { w.rockets[0].trailSpare[0] = -1.0f; }},
        {"gate spin axis", [&w] { w.gates[gateCount - 1].spinAxis.z = nudged(w.gates[10].spinAxis.z); }},
        {"active gate", [&w] { w.gates[3].active = 1; }},
        {"lap start", [&w] { w.lapStartTime = nudged(w.lapStartTime); }},
        {"best lap", [&w] { w.bestLapTime = nudged(w.bestLapTime); }},
        {"frame step", [&w] { w.frameStep = nudged(w.frameStep); }},
        {"cooldown", [&w] { w.rocketCooldown = -1; }},
    };
    const uint64_t start = worldHash(world);
    EXPECT_EQ(worldHash(world), start);
    for (const auto& change : changes) {
        setUpWorld(world, 99);
        ASSERT_EQ(worldHash(world), start);
        change.second();
        EXPECT_NE(worldHash(world), start) << change.first;
    }
}

TEST(WorldHashBytes, OrderAndValueBothCount)
{
    WorldHash a;
    a.add(1);
    a.add(2);
    WorldHash b;
    b.add(2);
    b.add(1);
    EXPECT_NE(a.value(), b.value());
    // -0 and +0 compare equal but are different states of a float.
    WorldHash plus;
    plus.add(0.0f);
    WorldHash minus;
    minus.add(-0.0f);
    EXPECT_NE(plus.value(), minus.value());
}
