#include "app/input/input.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "support/sim_world.h"

namespace {

class Rockets : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        world.camera.position = Vec3{10.0, 20.0, 30.0};
        world.camera.view = Vec3{0.0, 1.0, 0.0};
    }

    // A click queues the launch for the next frame step; a step of no time
    // applies it without running the countdown down.
    void click()
    {
        onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
        frame(0.0f);
    }
};

}  // namespace

TEST_F(Rockets, LaunchLeavesFromTheCameraWithCueAndCooldown)
{
    launchRocket(world, game.events);
    const Rocket& r = world.rockets[0];
    EXPECT_EQ(r.state, ROCKET_FLYING);
    EXPECT_EQ(r.position.x, 10.0f);
    EXPECT_EQ(r.position.z, 30.0f);
    EXPECT_EQ(r.direction.y, 1.0);
    EXPECT_EQ(r.speed, 2.5f);
    EXPECT_EQ(r.trailCount, TRAIL_LENGTH);
    EXPECT_EQ(r.trail[TRAIL_LENGTH - 1].y, parkedCoordinate);
    EXPECT_EQ(r.trailLife[7], 1.0f);
    EXPECT_EQ(r.trailSpare[7], -1.0f);
    EXPECT_EQ(r.explosionFrame, 5);  // explosion fields untouched
    EXPECT_EQ(world.rocketCooldown, 2500);
    ASSERT_EQ(cues().size(), 1u);
    EXPECT_EQ(cues()[0], played(CHANNEL_ROCKET, SAMPLE_ROCKET));
}

TEST_F(Rockets, CooldownHoldsFireAndIsNotRestarted)
{
    click();
    frame(2000.0f);
    click();
    EXPECT_EQ(launched(), 1);
    EXPECT_EQ(world.rocketCooldown, 500);
    EXPECT_EQ(cues().size(), 1u);
    frame(500.0f);
    click();
    EXPECT_EQ(launched(), 2);
    EXPECT_EQ(world.rockets[1].state, ROCKET_FLYING);
    EXPECT_EQ(world.rocketCooldown, 2500);
}

TEST_F(Rockets, TakesTheLowestFreeSlotAndNoneWhenAllAreBusy)
{
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        world.rockets[k].state = k == 5 ? ROCKET_FREE : (k % 2 ? ROCKET_FADING : ROCKET_FLYING);
    }
    world.rockets[3].state = ROCKET_FREE;
    launchRocket(world, game.events);
    EXPECT_EQ(world.rockets[3].state, ROCKET_FLYING);
    EXPECT_EQ(world.rockets[5].state, ROCKET_FREE);

    world.rocketCooldown = 0;
    world.rockets[5].state = ROCKET_FADING;
    game.events.clear();
    launchRocket(world, game.events);
    EXPECT_EQ(world.rocketCooldown, 0);  // the overlay keeps saying ready
    EXPECT_TRUE(cues().empty());
}

TEST_F(Rockets, LeavesTheArenaOnlyBeyond256)
{
    Rocket& r = world.rockets[0];
    r.launch(250.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    r.move(1.0f);
    EXPECT_EQ(r.position.x, 252.5f);
    r.move(1.0f);
    EXPECT_EQ(r.state, ROCKET_FLYING);
    r.move(1.0f);
    EXPECT_EQ(r.position.x, 257.5f);
    EXPECT_EQ(r.state, ROCKET_FADING);
    EXPECT_EQ(r.explosionActive, 0);
    EXPECT_TRUE(cues().empty());

    r.launch(0.0f, 253.5f, 0.0f, 0.0f, 1.0f, 0.0f);
    r.move(1.0f);
    EXPECT_EQ(r.position.y, 256.0f);
    EXPECT_EQ(r.state, ROCKET_FLYING);
    r.launch(0.0f, 0.0f, -255.9999f, 0.0f, 0.0f, -1.0f);
    r.speed = 0.0002f;
    r.move(1.0f);
    EXPECT_LT(r.position.z, -256.0f);
    EXPECT_EQ(r.state, ROCKET_FADING);
}

TEST_F(Rockets, FlyingTrailIsAStraightFadingLine)
{
    Rocket& r = world.rockets[0];
    r.launch(1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 2.0f);
    r.updateTrail();
    EXPECT_EQ(r.trail[0].z, 3.0f);
    EXPECT_EQ(r.trailLife[0], 1.0f);
    EXPECT_EQ(r.trail[10].x, 1.0f);
    EXPECT_EQ(r.trail[10].z, static_cast<float>(3.0 - 1.0 * 10 * 0.699999988079071));
    EXPECT_EQ(r.trail[499].z, static_cast<float>(3.0 - 499 * 0.699999988079071));
    EXPECT_EQ(r.trailLife[250], 0.5f);
    EXPECT_EQ(r.trailLife[499], static_cast<float>(1.0 - 499.0 / 500.0));
}

TEST_F(Rockets, FadingTrailFreesTheSlotAfterItsLastParticle)
{
    Rocket& r = world.rockets[0];
    r.launch(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    r.updateTrail();
    r.state = ROCKET_FADING;

    int frames = 0;
    while (r.state != ROCKET_FREE && frames < 2000) {
        r.updateTrail();
        ++frames;
        if (frames == 300) {
            // The far end fades first; the rocket end is still smoking.
            EXPECT_EQ(r.trail[499].x, parkedCoordinate);
            EXPECT_NE(r.trail[0].x, parkedCoordinate);
            EXPECT_GT(r.trailLife[0], 0.0f);
        }
    }
    EXPECT_GE(frames, 500);
    EXPECT_LE(frames, 502);
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        ASSERT_EQ(r.trail[i].x, parkedCoordinate) << i;
        ASSERT_EQ(r.trail[i].z, parkedCoordinate) << i;
    }
}

TEST_F(Rockets, HitBeforeTheTrailWasLaidFreesAtOnceWhileTheExplosionRuns)
{
    Rocket& r = world.rockets[0];
    r.launch(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    r.explosionTimer = 9.0f;
    r.explode(Vertex(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(r.state, ROCKET_FADING);
    EXPECT_EQ(r.explosionActive, 1);
    EXPECT_EQ(r.explosionTimer, 0.0f);
    EXPECT_EQ(r.explosionPoint.y, 5.0f);
    r.updateTrail();
    EXPECT_EQ(r.state, ROCKET_FREE);
    EXPECT_EQ(r.explosionActive, 1);
}

TEST_F(Rockets, FrameUpdateMovesOnlyFlyingRockets)
{
    world.rockets[0].launch(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    world.rockets[1].launch(0.0f, 5.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    world.rockets[1].state = ROCKET_FADING;
    frame(33.0f);
    EXPECT_EQ(world.rockets[0].position.x, 5.0f);
    EXPECT_EQ(world.rockets[1].position.x, 0.0f);
}
