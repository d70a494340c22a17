#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world_state.h"
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
        randomSeed(99);
        setUpWorld();
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
    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"camera view", [] { camera.view.x = nudged(camera.view.x); }},
        {"camera target", [] { camera.target.z = nudged(camera.target.z); }},
        {"yaw angle", [] { camera.yawAngle = nudged(camera.yawAngle); }},
        {"flight speed", [] { flightSpeed = nudged(flightSpeed); }},
        {"flight direction", [] { flightDirection.y = nudged(flightDirection.y); }},
        {"asteroid spin", [] { asteroids[199].spinAngle = nudged(asteroids[199].spinAngle); }},
        {"asteroid direction", [] { asteroids[100].direction.z = nudged(asteroids[100].direction.z); }},
        {"rocket state", [] { rockets[7].state = ROCKET_FADING; }},
        {"explosion timer", [] { rockets[4].explosionTimer = nudged(rockets[4].explosionTimer); }},
        {"last trail particle", [] { rockets[7].trail[TRAIL_LENGTH - 1].z = nudged(rockets[7].trail[499].z); }},
        {"trail life", [] { rockets[7].trailLife[TRAIL_LENGTH - 1] = nudged(rockets[7].trailLife[499]); }},
        {"trail spare", [] { rockets[0].trailSpare[0] = -1.0f; }},
        {"gate spin axis", [] { gates[gateCount - 1].spinAxis.z = nudged(gates[10].spinAxis.z); }},
        {"active gate", [] { gates[3].active = 1; }},
        {"lap start", [] { lapStartTime = nudged(lapStartTime); }},
        {"best lap", [] { bestLapTime = nudged(bestLapTime); }},
        {"frame step", [] { frameStep = nudged(frameStep); }},
        {"cooldown", [] { rocketCooldown = -1; }},
    };
    const uint64_t start = worldHash();
    EXPECT_EQ(worldHash(), start);
    // The player's side of the game is no part of the race.
    lastMouseY += 1;
    thrustInput = -1;
    showOctree = 1;
    radioVolume += 5;
    optionsOverlayTimer = 1.0f;
    EXPECT_EQ(worldHash(), start);
    for (const auto& change : changes) {
        resetWorld();
        randomSeed(99);
        setUpWorld();
        ASSERT_EQ(worldHash(), start);
        change.second();
        EXPECT_NE(worldHash(), start) << change.first;
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
