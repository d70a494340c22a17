#include "app/loop/game.h"
#include "replay/replay.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"

#include <gtest/gtest.h>

#include <string>

namespace {

InputScript quietRun(int frames)
{
    InputScript script;
    script.seed = 5;
    script.frameCount = frames;
    script.frameMs = {15.0f, 17.0f};
    return script;
}

// Every asteroid far from the craft and from each other, at rest.
void clearTheSky(World& world)
{
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        world.asteroids[k].position = Vertex(-210.0f + 30.0f * (k % 15), -210.0f + 30.0f * (k / 15), 240.0f);
        world.asteroids[k].speed = 0.0f;
        world.asteroids[k].direction = Vec3{};
    }
}

// A point dist units ahead of the camera.
Vertex ahead(const World& world, double dist)
{
    const Camera& camera = world.camera;
    return Vertex(static_cast<float>(camera.position.x + camera.view.x * dist),
                  static_cast<float>(camera.position.y + camera.view.y * dist),
                  static_cast<float>(camera.position.z + camera.view.z * dist));
}

class Replay : public ::testing::Test {
protected:
    std::string error;
};

}  // namespace

TEST_F(Replay, EchoesMustAnswerTheWarpsTheGameAskedFor)
{
    ReplaySession session(quietRun(10));
    EXPECT_FALSE(session.deliver({0, InputKind::Echo, 200, 200, 0}, error));
    EXPECT_NE(error.find("answers no pointer warp"), std::string::npos);

    // Leaving the band on both axes: two warps, answered in order.
    ASSERT_TRUE(session.deliver({0, InputKind::Move, 350, 350, 0}, error));
    ASSERT_EQ(session.warpsAwaitingEcho().size(), 2u);
    EXPECT_FALSE(session.deliver({0, InputKind::Echo, 200, 200, 0}, error));
    // The second warp's echo also stands for the first, which the toolkit dropped.
    ASSERT_TRUE(session.deliver({0, InputKind::Echo, 350, 200, 0}, error)) << error;
    EXPECT_TRUE(session.warpsAwaitingEcho().empty());
}

TEST_F(Replay, ModifiersOfTheClickDecideTheLaunch)
{
    // A launch the click asks for leaves in the next frame.
    ReplaySession session(quietRun(10));
    const Rocket& first = session.game().world.rockets[0];
    ASSERT_TRUE(session.deliver({0, InputKind::Button, 0, 0, 2}, error));  // Ctrl alone
    session.runFrame();
    EXPECT_EQ(first.state, ROCKET_FREE);
    ASSERT_TRUE(session.deliver({0, InputKind::Button, 0, 0, 3}, error));  // Ctrl with Shift
    session.runFrame();
    EXPECT_EQ(first.state, ROCKET_FLYING);
    EXPECT_EQ(session.counts().launches, 1);
}

// A rocket fired at an asteroid right in front of the craft hits it in the
// first frame, and the craft touches it in the same frame: the explosion
// cues are told apart.
TEST_F(Replay, RocketHitsAndCraftContactsAreCountedApart)
{
    ReplaySession session(quietRun(10));
    World& world = session.game().world;
    clearTheSky(world);
    world.asteroids[7].position = ahead(world, 60.0);
    ASSERT_TRUE(session.deliver({0, InputKind::Button, 0, 0, 0}, error));
    session.runFrame();  // the launch
    for (int f = 0; f < 40 && world.rockets[0].state == ROCKET_FLYING; ++f) {
        session.runFrame();
    }
    EXPECT_EQ(session.counts().rocketHits, 1);
    EXPECT_EQ(session.counts().craftContacts, 0);

    world.rocketCooldown = 0;
    world.asteroids[9].position = ahead(world, 8.0);
    ASSERT_TRUE(session.deliver({0, InputKind::Button, 0, 0, 1}, error));
    session.runFrame();
    EXPECT_EQ(session.counts().rocketHits, 2);
    EXPECT_EQ(session.counts().craftContacts, 1);
    EXPECT_EQ(session.counts().launches, 2);
}

TEST_F(Replay, DigestFollowsTheInputsFromTheFrameTheyDiffer)
{
    InputScript script = quietRun(250);
    ReplayResult still;
    ASSERT_TRUE(playInputScript(script, still, error)) << error;
    ReplayResult again;
    ASSERT_TRUE(playInputScript(script, again, error)) << error;
    EXPECT_EQ(still.digest, again.digest);

    script.events = {{120, InputKind::KeyDown, 'q', 0, 0}};
    ReplayResult rolled;
    ASSERT_TRUE(playInputScript(script, rolled, error)) << error;

    // Header, then frames 0, 100 and 200.
    ASSERT_EQ(still.digest.size(), 6u);
    ASSERT_EQ(rolled.digest.size(), 6u);
    EXPECT_EQ(still.digest[3].rfind("frame 0 hash ", 0), 0u);
    EXPECT_EQ(still.digest[5].rfind("frame 200 hash ", 0), 0u);
    EXPECT_EQ(rolled.digest[4], still.digest[4]);
    EXPECT_NE(rolled.digest[5], still.digest[5]);
    EXPECT_NE(still.digest[1].find("250 frames, 4.0 s of play"), std::string::npos);
}

TEST_F(Replay, AnEventThatCannotBeDeliveredStopsThePlayAtItsFrame)
{
    InputScript script = quietRun(50);
    script.events = {{30, InputKind::Echo, 200, 200, 0}};
    ReplayResult result;
    EXPECT_FALSE(playInputScript(script, result, error));
    EXPECT_EQ(error.rfind("frame 30: echo at (200, 200)", 0), 0u) << error;
}
