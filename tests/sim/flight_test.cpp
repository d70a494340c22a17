#include "sim/camera.h"
#include "sim/flight.h"
#include "sim/world.h"
#include "support/sim_world.h"

#include <cmath>

namespace {

class Flight : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        world.camera.view = Vec3{1.0, 0.0, 0.0};
        world.camera.up = Vec3{0.0, 0.0, 1.0};
        world.camera.side = Vec3{0.0, 1.0, 0.0};
    }
};

}  // namespace

TEST_F(Flight, FirstThrustFromRestHeadsAlongTheView)
{
    world.camera.view = Vec3{0.0, 0.6, 0.8};
    applyThrust(world, 1, 1.0f);
    EXPECT_EQ(world.flightSpeed, 0.002f);
    EXPECT_DOUBLE_EQ(world.flightDirection.y, 0.6);
    EXPECT_DOUBLE_EQ(world.flightDirection.z, 0.8);
}

TEST_F(Flight, ThrustIncrementFollowsTheSpeedBand)
{
    // Each bound (a double product of single-precision factors of 0.6) belongs
    // to the band below it: the float just under it gets the lower increment,
    // the float just over it the higher one.
    const double bounds[] = {0.16200001287460353, 0.32400002574920705, 0.4560000123977659, 0.5100000345706945};
    const float increments[] = {0.002f, 0.0005f, 0.0001f, 0.00005f, 0.000005f};
    for (int b = 0; b < 4; ++b) {
        float over = static_cast<float>(bounds[b]);
        if (over <= bounds[b]) {
            over = std::nextafter(over, 1.0f);
        }
        const float under = std::nextafter(over, 0.0f);
        ASSERT_LE(under, bounds[b]);
        for (const auto& probe : {std::make_pair(under, increments[b]), std::make_pair(over, increments[b + 1])}) {
            world.flightSpeed = probe.first;
            world.flightDirection = Vec3{1.0, 0.0, 0.0};
            applyThrust(world, 1, 1.0f);
            EXPECT_EQ(world.flightSpeed, probe.first + probe.second) << "from " << probe.first;
        }
    }

    // The increment scales with the step.
    world.flightSpeed = 0.1f;
    world.flightDirection = Vec3{1.0, 0.0, 0.0};
    applyThrust(world, 1, 2.0f);
    EXPECT_EQ(world.flightSpeed, 0.1f + 0.002f * 2.0f);
}

TEST_F(Flight, HeldThrustStaysAtTopSpeed)
{
    world.flightSpeed = TOP_SPEED;
    world.flightDirection = Vec3{1.0, 0.0, 0.0};
    for (int i = 0; i < 10; ++i) {
        applyThrust(world, 1, 1.0f);
        ASSERT_EQ(world.flightSpeed, 0.6f);
    }
    // A long frame overshoots, and is cut back to exactly 0.6.
    world.flightSpeed = 0.3f;
    applyThrust(world, 1, 700.0f);
    EXPECT_EQ(world.flightSpeed, 0.6f);
}

TEST_F(Flight, ThrustAgainstTheMotionSlowsWhileTurning)
{
    world.flightSpeed = 0.3f;
    world.flightDirection = Vec3{-1.0, 0.0, 0.0};
    world.camera.view = Vec3{1.0, 0.0, 0.0};
    applyThrust(world, 1, 1.0f);
    // The velocity shrinks by the pull step × (5·0.3 + 5) / 1500.
    const double pull = (5.0 * 0.3f + 5.0) / 1500.0;
    EXPECT_EQ(world.flightSpeed, static_cast<float>(0.3f - pull));
    EXPECT_EQ(world.flightDirection.x, -1.0);
}

TEST_F(Flight, BrakingStopsThenForgetsTheDirection)
{
    world.flightSpeed = 0.001f;
    world.flightDirection = Vec3{0.0, 1.0, 0.0};
    applyThrust(world, 0, 1.0f);
    EXPECT_EQ(world.flightSpeed, 0.0f);
    EXPECT_EQ(world.flightDirection.y, 1.0);

    applyThrust(world, 0, 1.0f);
    EXPECT_EQ(world.flightSpeed, 0.0f);
    EXPECT_EQ(world.flightDirection.x, 0.0);
    EXPECT_EQ(world.flightDirection.y, 0.0);
    EXPECT_EQ(world.flightDirection.z, 0.0);

    world.flightSpeed = 0.5f;
    world.flightDirection = Vec3{0.0, 1.0, 0.0};
    applyThrust(world, 0, 2.0f);
    EXPECT_EQ(world.flightSpeed, static_cast<float>(0.5f - 2.0 * 0.003000000026077032));
}

TEST_F(Flight, ArenaClampKeepsSpeedAndDirection)
{
    world.camera.position = Vec3{255.0, -255.0, 256.0};
    world.flightSpeed = 0.5f;
    world.flightDirection = Vec3{0.6, -0.8, 0.0};
    moveCraft(world, 10.0f);
    EXPECT_EQ(world.camera.position.x, 256.0);
    EXPECT_EQ(world.camera.position.y, -256.0);
    EXPECT_EQ(world.camera.position.z, 256.0);  // exactly at the wall stays
    EXPECT_EQ(world.flightSpeed, 0.5f);
    EXPECT_EQ(world.flightDirection.x, 0.6);

    world.camera.position = Vec3{0.0, 0.0, 0.0};
    world.flightDirection = Vec3{1.0, 0.0, 0.0};
    moveCraft(world, 2.0f);
    EXPECT_EQ(world.camera.position.x, 1.0);
}

TEST_F(Flight, FrameUpdateThrustsRollsAndClamps)
{
    game.hands.thrustInput = 1;
    world.camera.position = Vec3{255.9, 0.0, 0.0};
    world.flightSpeed = 0.5f;
    world.flightDirection = Vec3{1.0, 0.0, 0.0};
    frame(16.5f);
    EXPECT_EQ(world.flightSpeed, 0.5f + 0.00005f);
    EXPECT_EQ(world.camera.position.x, 256.0);

    game.hands.thrustInput = 0;
    const float coasting = world.flightSpeed;
    frame(16.5f);
    EXPECT_EQ(world.flightSpeed, coasting);

    game.hands.rollInput = 1;
    frame(16.5f);
    EXPECT_GT(world.camera.up.y, 0.0);  // banks left: up leans toward side
    EXPECT_EQ(world.camera.view.x, 1.0);
}

TEST_F(Flight, RollLeansUpTowardSideAndKeepsTheFrameOrthonormal)
{
    world.camera.roll(1, 1.0f);
    const double t = 0.02500000037252903;
    const double n = std::sqrt(1.0 + t * t);
    EXPECT_DOUBLE_EQ(world.camera.up.y, t / n);
    EXPECT_DOUBLE_EQ(world.camera.up.z, 1.0 / n);
    EXPECT_NEAR(world.camera.side.dot(world.camera.up), 0.0, 1e-15);
    EXPECT_NEAR(world.camera.side.length(), 1.0f, 1e-7);

    world.camera.roll(-1, 1.0f);
    EXPECT_NEAR(world.camera.up.y, 0.0, 1e-15);
}

TEST_F(Flight, YawAndPitchTurnByHalfTheAngle)
{
    world.camera.yawAngle = -0.025f;
    world.camera.pitchAngle = 0.0f;
    world.camera.yaw();
    world.camera.pitch();
    const double half = static_cast<double>(-0.025f) / 2.0;
    EXPECT_NEAR(world.camera.view.x, std::cos(half), 1e-15);
    EXPECT_NEAR(world.camera.view.y, std::sin(half), 1e-15);  // negative y: a turn to the right
    EXPECT_NEAR(world.camera.side.dot(world.camera.view), 0.0, 1e-15);

    world.camera.view = Vec3{1.0, 0.0, 0.0};
    world.camera.side = Vec3{0.0, 1.0, 0.0};
    world.camera.yawAngle = 0.0f;
    world.camera.pitchAngle = 0.05f;
    world.camera.yaw();
    world.camera.pitch();
    EXPECT_NEAR(world.camera.view.z, -std::sin(0.025), 1e-9);
    EXPECT_NEAR(world.camera.up.dot(world.camera.view), 0.0, 1e-15);
}

TEST_F(Flight, PlaceAtFacesTheTargetWithUpAlongZ)
{
    world.camera.setTarget(-220.0f, 0.0f, 0.0f);
    world.camera.placeAt(-200.0f, -50.0f, 0.0f);
    const double len = std::sqrt(20.0 * 20.0 + 50.0 * 50.0);
    EXPECT_DOUBLE_EQ(world.camera.view.x, -20.0 / len);
    EXPECT_DOUBLE_EQ(world.camera.view.y, 50.0 / len);
    EXPECT_EQ(world.camera.up.z, 1.0);
    EXPECT_NEAR(world.camera.side.dot(world.camera.view), 0.0, 1e-15);

    // Straight above: view equals up and the side stays zero.
    world.camera.setTarget(0.0f, 0.0f, 10.0f);
    world.camera.placeAt(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(world.camera.view.z, 1.0);
    EXPECT_EQ(world.camera.side.x, 0.0);
    EXPECT_EQ(world.camera.side.y, 0.0);
    EXPECT_EQ(world.camera.side.z, 0.0);
}
