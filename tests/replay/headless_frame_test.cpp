#include "replay/headless_frame.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "support/sim_world.h"

namespace {

class HeadlessFrame : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        world.camera.setTarget(0.0f, 0.0f, 0.0f);
        world.camera.placeAt(-100.0f, 0.0f, 0.0f);
    }
};

}  // namespace

// What a displayed frame advances is part of the step: every rocket's
// explosion image and busy trail, then the cockpit's renormalisation. The
// frame is drawn from what the step left in world.shown.
TEST_F(HeadlessFrame, EffectsRunPerRocketInSlotOrderAndTheCockpitLast)
{
    Rocket* rockets = world.rockets;
    rockets[0].launch(-100.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    // Rocket 2: hit an asteroid earlier, explosion running, trail fading.
    rockets[2].launch(-50.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    rockets[2].updateTrail();
    rockets[2].explode(Vertex(-40.0f, 0.0f, 0.0f));
    // Rocket 5: its trail is spent; this frame frees it, and its trail is still drawn.
    rockets[5].state = ROCKET_FADING;
    rockets[6].explosionActive = 0;
    // Slightly off unit length, as turning leaves them.
    world.camera.up.scale(1.0000001);
    world.camera.view.scale(0.9999999);

    frame(20.0f);

    const FrameShown& shown = world.shown;
    for (int r = 0; r < ROCKET_COUNT; ++r) {
        EXPECT_EQ(shown.smokeTrail[r], r == 0 || r == 2 || r == 5) << r;
        EXPECT_EQ(shown.explosionImage[r], r == 2 ? EXPLOSION_IMAGE_FIRST : -1) << r;
    }
    EXPECT_EQ(rockets[2].explosionFrame, EXPLOSION_IMAGE_FIRST + 1);
    EXPECT_EQ(rockets[5].state, ROCKET_FREE);
    // Rocket 0 flew, then its trail was laid behind it.
    EXPECT_GT(rockets[0].position.x, -100.0f);
    EXPECT_NEAR(rockets[0].trail[10].x, rockets[0].position.x - 7.0f, 1e-4);
    EXPECT_DOUBLE_EQ(world.camera.up.dot(world.camera.up), 1.0);
    EXPECT_DOUBLE_EQ(world.camera.view.dot(world.camera.view), 1.0);
    // The picture shows the camera as the motion left it, before the renormalisation.
    EXPECT_NE(shown.camera.up.dot(shown.camera.up), 1.0);
}

TEST_F(HeadlessFrame, ExplosionTimeAddsUpAcrossFrames)
{
    Rocket& rocket = world.rockets[1];
    rocket.launch(-100.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    rocket.updateTrail();
    rocket.explode(Vertex(-90.0f, 0.0f, 0.0f));
    rocket.explosionTimer = 10.0f;
    world.camera.side.scale(1.001);

    frame(7.0f);

    // 10 + 7 ms passes 16: the next image, the timer back to 0.
    EXPECT_EQ(world.shown.explosionImage[1], EXPLOSION_IMAGE_FIRST);
    EXPECT_EQ(rocket.explosionFrame, EXPLOSION_IMAGE_FIRST + 1);
    EXPECT_EQ(rocket.explosionTimer, 0.0f);
    EXPECT_EQ(world.camera.side.dot(world.camera.side), 1.0);
}

// A rocket's whole life through headless frames: launch, hit, 24 explosion
// images on frames longer than 16 ms, and the slot free again once the
// trail laid out in flight has faded, about 500 frames after the hit.
TEST_F(HeadlessFrame, RocketLivesThroughHitExplosionAndFade)
{
    world.asteroids[0].position = Vertex(-60.0f, 0.0f, 0.0f);
    world.asteroids[0].direction = Vec3{};
    world.asteroids[0].speed = 0.0f;
    launchRocket(world, game.events);

    int frames = 0;
    int hitFrame = -1;
    int explosionFrames = 0;
    while (world.rockets[0].state != ROCKET_FREE && frames < 2000) {
        scriptedTime() += 20.0f;
        headlessFrame(game, scriptedTime());
        ++frames;
        if (hitFrame < 0 && world.rockets[0].state == ROCKET_FADING) {
            hitFrame = frames;
        }
        explosionFrames += world.rockets[0].explosionActive;
    }
    ASSERT_GT(hitFrame, 0);
    // 28.5 units to reach at 2.5 × 20/16.5 per frame.
    EXPECT_EQ(hitFrame, 10);
    ASSERT_EQ(world.rockets[0].explosionActive, 0);
    // Active after the hit frame's update through its 24th image; the frame
    // that shows the last image clears it.
    EXPECT_EQ(explosionFrames, 23);
    EXPECT_GE(frames - hitFrame, 499);
    EXPECT_LE(frames - hitFrame, 502);
    EXPECT_EQ(world.rockets[0].trail[0].x, parkedCoordinate);
}
