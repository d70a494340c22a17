// Restarting the lap in the middle of a run: the pilot's recorded laps are
// replayed through the game's own handlers, then R is pressed mid-lap.
#include "app/input/controls.h"
#include "app/loop/game.h"
#include "app/input/input.h"
#include "replay/headless_frame.h"
#include "replay/replay.h"
#include "tests/replay/pilot.h"

#include <gtest/gtest.h>

TEST(LapRestart, MidLapTheCraftGoesBackAndTheBestLapAndGhostStay)
{
    InputScript script;
    script.seed = 20240611;
    script.frameCount = 16000;
    script.frameMs = {16.5f};
    ReplayResult flown;
    recordPilotRun(script, flown);

    // Replayed until the lap after the first one is a few gates old.
    ReplaySession session(script);
    Game& game = session.game();
    World& world = game.world;
    std::size_t next = 0;
    while (session.counts().laps < 1 || session.counts().gatesPassed < 15) {
        ASSERT_LT(session.framesRun(), script.frameCount);
        for (; next < script.events.size() && script.events[next].frame == session.framesRun(); ++next) {
            std::string problem;
            ASSERT_TRUE(session.deliver(script.events[next], problem)) << problem;
        }
        session.runFrame();
    }
    const float bestLap = world.bestLapTime;
    ASSERT_TRUE(game.ghost.hasCandidate);
    const float ghostLap = game.ghost.candidate.lapTime;
    ASSERT_EQ(ghostLap, bestLap);
    world.rocketCooldown = 1200;

    onKeyDown(game, 'r');
    onKeyUp(game, 'r');
    // The restart is the next frame's; one of no length, with nothing held,
    // shows it alone.
    releaseHeldActions(game);
    headlessFrame(game, world.lastFrameTime);
    Camera start;
    start.setTarget(world.gates[0].position.x, world.gates[0].position.y, world.gates[0].position.z);
    start.placeAt(-200.0f, -50.0f, 0.0f);
    const Camera& camera = world.shown.camera;
    for (const auto& [now, then] : {std::pair{camera.position, start.position}, std::pair{camera.view, start.view},
                                    std::pair{camera.up, start.up}, std::pair{camera.target, start.target}}) {
        EXPECT_TRUE(now.x == then.x && now.y == then.y && now.z == then.z);
    }
    EXPECT_EQ(world.flightSpeed, 0.0f);
    for (int g = 0; g < gateCount; ++g) {
        EXPECT_EQ(world.gates[g].active, g == 0 ? 1 : 0) << g;
    }
    EXPECT_EQ(world.lapStartTime, 0.0f);
    EXPECT_EQ(world.rocketCooldown, 0);
    EXPECT_EQ(world.bestLapTime, bestLap);
    EXPECT_FALSE(game.ghost.recorder.recording);

    // The dropped lap is never timed: the next pass of gate 0 starts a lap
    // and ends none, and the ghost's lap is still the best one.
    const int laps = session.counts().laps;
    world.camera.position = Vec3{world.gates[0].position.x, world.gates[0].position.y, world.gates[0].position.z};
    session.runFrame();
    EXPECT_EQ(session.counts().laps, laps);
    EXPECT_NE(world.lapStartTime, 0.0f);
    EXPECT_EQ(world.gates[1].active, 1);
    EXPECT_TRUE(game.ghost.recorder.recording);
    EXPECT_EQ(game.ghost.candidate.lapTime, ghostLap);
    EXPECT_EQ(world.bestLapTime, bestLap);
}
