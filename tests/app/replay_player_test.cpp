// Watching a recorded lap: the player flies it again at any speed, pausing,
// to the recorded end, and the live game it was started from stays as it was.
#include "app/game.h"
#include "app/replay_player.h"
#include "replay/replay.h"
#include "replay/world_digest.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>

TEST(ReplayPlayer, PlaysTheBestLapToItsRecordedEndAndLeavesTheLiveWorldAlone)
{
    TempWorkDir dir;
    std::ifstream in(std::string(std::getenv("VOREL_SOURCE_DIR")) + "/tests/replay/input_script.txt");
    InputScript script;
    std::string error;
    ASSERT_TRUE(parseInputScript(in, script, error)) << error;
    script.frameCount = 12000;  // two laps
    ReplaySession session(script);
    std::size_t next = 0;
    for (int f = 0; f < script.frameCount; ++f) {
        for (; next < script.events.size() && script.events[next].frame == f; ++next) {
            ASSERT_TRUE(session.deliver(script.events[next], error)) << error;
        }
        session.runFrame();
    }
    Game& live = session.game();
    ASSERT_TRUE(live.laps.hasBest);
    writeWholeFile(BESTLAP_REPLAY_FILE, formatReplay(live.laps.best));
    const uint64_t liveBefore = worldHash(live.world);

    auto player = std::make_unique<ReplayPlayer>();
    EXPECT_EQ(player->load("none.replay", live.world), REPLAY_FILE_MISSING);
    ASSERT_EQ(player->load(BESTLAP_REPLAY_FILE, live.world), REPLAY_FILE_OK);
    EXPECT_EQ(player->world.asteroids[3].meshes, live.world.asteroids[3].meshes);
    EXPECT_EQ(player->lapClockMs(), 0.0f);

    player->faster();
    player->faster();
    player->faster();  // beyond the fastest: stays at ×4
    EXPECT_EQ(player->speed(), 4.0f);
    EXPECT_GT(player->advance(1000.0f), 0);
    // A second of real time at ×4 is four seconds of the lap, to within a frame.
    EXPECT_NEAR(player->lapClockMs(), 4000.0f, 20.0f);
    player->togglePause();
    EXPECT_EQ(player->advance(1000.0f), 0);
    player->togglePause();
    for (int k = 0; k < 5; ++k) {
        player->slower();
    }
    EXPECT_EQ(player->speed(), 0.25f);
    const float clockBefore = player->lapClockMs();
    player->advance(400.0f);
    EXPECT_NEAR(player->lapClockMs() - clockBefore, 100.0f, 20.0f);

    player->faster();
    player->faster();
    player->faster();
    player->faster();
    while (!player->finished()) {
        player->advance(16.0f);
    }
    EXPECT_EQ(player->lapClockMs(), live.laps.best.lapTime);
    EXPECT_EQ(worldPrint(player->world), live.laps.best.endPrint);
    EXPECT_EQ(player->advance(1000.0f), 0);
    EXPECT_EQ(worldHash(live.world), liveBefore);

    // The chase camera sits behind and above the craft and looks past it.
    player->toggleCamera();
    const Camera& craft = player->world.shown.camera;
    const CameraPose chase = player->viewPose();
    Vec3 back = vec3Add(craft.position, vec3Negate(chase.eye));
    EXPECT_NEAR(back.dot(craft.view), CHASE_DISTANCE, 1e-9);
    EXPECT_NEAR(back.dot(craft.up), -CHASE_HEIGHT, 1e-9);
    Vec3 ahead = vec3Add(chase.center, vec3Negate(craft.position));
    EXPECT_NEAR(ahead.dot(craft.view), CHASE_LOOK_AHEAD, 1e-9);
}
