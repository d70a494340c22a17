#include "render/effect_timing.h"
#include "render/frame_effects.h"
#include "render/texture_table.h"
#include "replay/headless_frame.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "support/sim_world.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string>& passLog()
{
    static std::vector<std::string> log;
    return log;
}

// Passes that keep the contract of the drawing ones and log their calls.
void loggedExplosion(int r)
{
    passLog().push_back("explosion " + std::to_string(r));
    advanceExplosion(rockets[r], frameElapsedMs);
}
void loggedSmoke(int r)
{
    // A flying rocket's trail is already laid out behind it when it is drawn.
    const Rocket& rocket = rockets[r];
    const bool laid = rocket.trail[1].x != parkedCoordinate;
    passLog().push_back("smoke " + std::to_string(r) + (laid ? " laid" : " parked"));
}
void loggedCockpit()
{
    passLog().push_back("cockpit");
    normalizeCockpitAxes(camera);
}

class HeadlessFrame : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        passLog().clear();
        camera.setTarget(0.0f, 0.0f, 0.0f);
        camera.placeAt(-100.0f, 0.0f, 0.0f);
    }
};

}  // namespace

TEST_F(HeadlessFrame, EffectsRunPerRocketInSlotOrderAndTheCockpitLast)
{
    rockets[0].launch(-100.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    // Rocket 2: hit an asteroid earlier, explosion running, trail fading.
    rockets[2].launch(-50.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    rockets[2].updateTrail();
    rockets[2].explode(Vertex(-40.0f, 0.0f, 0.0f));
    // Rocket 5: its trail is spent; this frame frees it, and its trail is still drawn.
    rockets[5].state = ROCKET_FADING;
    rockets[6].explosionActive = 0;
    // Slightly off unit length, as turning leaves them.
    camera.up.scale(1.0000001);
    camera.view.scale(0.9999999);

    frameElapsedMs = 20.0f;
    runFrameEffects(FrameEffectPasses{loggedExplosion, loggedSmoke, loggedCockpit});

    const std::vector<std::string> expected = {"smoke 0 laid", "explosion 2", "smoke 2 laid", "smoke 5 parked",
                                               "cockpit"};
    EXPECT_EQ(passLog(), expected);
    EXPECT_EQ(rockets[2].explosionFrame, TEX_EXPLOSION_FIRST + 1);
    EXPECT_EQ(rockets[5].state, ROCKET_FREE);
    EXPECT_EQ(rockets[0].trail[10].x, -107.0f);
    EXPECT_DOUBLE_EQ(camera.up.dot(camera.up), 1.0);
    EXPECT_DOUBLE_EQ(camera.view.dot(camera.view), 1.0);
}

TEST_F(HeadlessFrame, NullPassesChangeTheWorldLikeTheDrawingOnes)
{
    rockets[1].launch(-100.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    rockets[1].updateTrail();
    rockets[1].explode(Vertex(-90.0f, 0.0f, 0.0f));
    rockets[1].explosionTimer = 10.0f;
    camera.side.scale(1.001);
    frameElapsedMs = 7.0f;
    const Rocket before = rockets[1];
    const Camera cameraBefore = camera;

    runFrameEffects(FrameEffectPasses{});
    const Rocket headless = rockets[1];
    const Camera cameraHeadless = camera;

    rockets[1] = before;
    camera = cameraBefore;
    runFrameEffects(FrameEffectPasses{loggedExplosion, loggedSmoke, loggedCockpit});

    EXPECT_EQ(rockets[1].explosionFrame, headless.explosionFrame);
    EXPECT_EQ(rockets[1].explosionTimer, headless.explosionTimer);
    // 10 + 7 ms passes 16: the next image, the timer back to 0.
    EXPECT_EQ(headless.explosionFrame, TEX_EXPLOSION_FIRST + 1);
    EXPECT_EQ(headless.explosionTimer, 0.0f);
    EXPECT_EQ(rockets[1].trailLife[0], headless.trailLife[0]);
    EXPECT_EQ(camera.side.x, cameraHeadless.side.x);
    EXPECT_EQ(cameraHeadless.side.dot(cameraHeadless.side), 1.0);
}

// A rocket's whole life through headless frames: launch, hit, 24 explosion
// images on frames longer than 16 ms, and the slot free again once the
// trail laid out in flight has faded, about 500 frames after the hit.
TEST_F(HeadlessFrame, RocketLivesThroughHitExplosionAndFade)
{
    asteroids[0].position = Vertex(-60.0f, 0.0f, 0.0f);
    asteroids[0].direction = Vec3{};
    asteroids[0].speed = 0.0f;
    launchRocket();

    int frames = 0;
    int hitFrame = -1;
    int explosionFrames = 0;
    while (rockets[0].state != ROCKET_FREE && frames < 2000) {
        scriptedTime() += 20.0f;
        headlessFrame();
        ++frames;
        if (hitFrame < 0 && rockets[0].state == ROCKET_FADING) {
            hitFrame = frames;
        }
        explosionFrames += rockets[0].explosionActive;
    }
    ASSERT_GT(hitFrame, 0);
    // 28.5 units to reach at 2.5 × 20/16.5 per frame.
    EXPECT_EQ(hitFrame, 10);
    ASSERT_EQ(rockets[0].explosionActive, 0);
    // Active after the hit frame's update through its 24th image; the frame
    // that shows the last image clears it.
    EXPECT_EQ(explosionFrames, 23);
    EXPECT_GE(frames - hitFrame, 499);
    EXPECT_LE(frames - hitFrame, 502);
    EXPECT_EQ(rockets[0].trail[0].x, parkedCoordinate);
}
