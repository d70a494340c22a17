// Restarting the lap in the middle of a run: the pilot's recorded laps are
// replayed through the game's own handlers, then R is pressed mid-lap.
#include "app/ghost_race.h"
#include "app/input.h"
#include "replay/replay.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/world.h"
#include "tests/replay/pilot.h"

#include <gtest/gtest.h>

namespace {

class LapRestart : public ::testing::Test {
protected:
    // The replay stops mid-run: nothing it held or flew may reach the next test.
    void TearDown() override
    {
        for (int button : {MOUSE_LEFT_BUTTON, MOUSE_MIDDLE_BUTTON, MOUSE_RIGHT_BUTTON}) {
            onMouseButton(button, MOUSE_BUTTON_UP, 0, 0);
        }
        ghostRace.reset();
        resetWorld();
    }
};

}  // namespace

TEST_F(LapRestart, MidLapTheCraftGoesBackAndTheBestLapAndGhostStay)
{
    ghostRace.reset();
    InputScript script;
    script.seed = 20240611;
    script.frameCount = 16000;
    script.frameMs = {16.5f};
    ReplayResult flown;
    recordPilotRun(script, flown);

    // Replayed until the lap after the first one is a few gates old.
    ghostRace.reset();
    ReplaySession session(script);
    std::size_t next = 0;
    while (session.counts().laps < 1 || session.counts().gatesPassed < 15) {
        ASSERT_LT(session.framesRun(), script.frameCount);
        for (; next < script.events.size() && script.events[next].frame == session.framesRun(); ++next) {
            std::string problem;
            ASSERT_TRUE(session.deliver(script.events[next], problem)) << problem;
        }
        session.runFrame();
    }
    const float bestLap = bestLapTime;
    ASSERT_TRUE(ghostRace.hasCandidate);
    const float ghostLap = ghostRace.candidate.lapTime;
    ASSERT_EQ(ghostLap, bestLap);
    rocketCooldown = 1200;

    onKeyDown('r', 0, 0);
    onKeyUp('r', 0, 0);
    Camera start;
    start.setTarget(gates[0].position.x, gates[0].position.y, gates[0].position.z);
    start.placeAt(-200.0f, -50.0f, 0.0f);
    for (const auto& [now, then] : {std::pair{camera.position, start.position}, std::pair{camera.view, start.view},
                                    std::pair{camera.up, start.up}, std::pair{camera.target, start.target}}) {
        EXPECT_TRUE(now.x == then.x && now.y == then.y && now.z == then.z);
    }
    EXPECT_EQ(flightSpeed, 0.0f);
    for (int g = 0; g < gateCount; ++g) {
        EXPECT_EQ(gates[g].active, g == 0 ? 1 : 0) << g;
    }
    EXPECT_EQ(lapStartTime, 0.0f);
    EXPECT_EQ(rocketCooldown, 0);
    EXPECT_EQ(bestLapTime, bestLap);
    EXPECT_FALSE(ghostRace.recorder.recording);

    // The dropped lap is never timed: the next pass of gate 0 starts a lap
    // and ends none, and the ghost's lap is still the best one.
    const int laps = session.counts().laps;
    camera.position = Vec3{gates[0].position.x, gates[0].position.y, gates[0].position.z};
    session.runFrame();
    EXPECT_EQ(session.counts().laps, laps);
    EXPECT_NE(lapStartTime, 0.0f);
    EXPECT_EQ(gates[1].active, 1);
    EXPECT_TRUE(ghostRace.recorder.recording);
    EXPECT_EQ(ghostRace.candidate.lapTime, ghostLap);
    EXPECT_EQ(bestLapTime, bestLap);
}
