// Pause through the real frame driver and key handlers, on a scripted clock:
// the paused frames draw the still scene and change nothing of the world, and
// the clock leaves the pause out of the lap, the ghost and the next step.
#include "app/display_frame.h"
#include "app/ghost_race.h"
#include "app/input.h"
#include "app/pause.h"
#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "support/gl_window.h"
#include "support/sim_world.h"

#include <GL/glut.h>

namespace {

class PausedGame : public SimWorld {
protected:
    void SetUp() override
    {
        ensureGlWindow();
        onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        SimWorld::SetUp();
        randomSeed(5);
        setUpWorld();
        parkAsteroids();
        ghostRace.reset();
        resetPause();
        playClockSource = scriptedClock;
        frameClock = playClock;
    }
    void TearDown() override
    {
        resetPause();
        ghostRace.reset();
        playClockSource = nullptr;
        SimWorld::TearDown();
    }

    // Displayed frames with the craft at rest on the centres of gates first to last.
    void flyThrough(int first, int last)
    {
        for (int g = first; g <= last; ++g) {
            camera.position = Vec3{courseTable[g].x, courseTable[g].y, courseTable[g].z};
            scriptedTime() += 400.0f + 16.5f * static_cast<float>(g);
            displayFrame();
        }
    }
    void frameOf16_5()
    {
        scriptedTime() += 16.5f;
        displayFrame();
    }
};

// Two laps through the same gates with the same frames; the second stops for
// 30 s after gate 5.
TEST_F(PausedGame, APauseStopsTheWorldAndLeavesTheLapAndTheNextStepAlone)
{
    flyThrough(0, 5);
    frameOf16_5();
    flyThrough(6, gateCount - 1);
    flyThrough(0, 0);
    const float unpausedLap = lastLapTime;
    ASSERT_GT(unpausedLap, 0.0f);
    flyThrough(1, 5);

    // Thrust held, a rocket exploding, one fading: a drawn frame would move
    // all of them on.
    onKeyDown('w', 0, 0);
    rockets[2].launch(0.0f, 0.0f, 100.0f, 1.0f, 0.0f, 0.0f);
    rockets[2].explode(Vertex(0.0f, 0.0f, 100.0f));
    rockets[5].state = ROCKET_FADING;
    rockets[5].trail[0] = Vertex(10.0f, 0.0f, 100.0f);
    rockets[5].trailLife[0] = 0.5f;
    onKeyDown('p', 0, 0);
    ASSERT_TRUE(gamePaused());
    EXPECT_EQ(thrustInput, 0) << "a held input must not outlast the pause";

    const uint64_t still = worldHash();
    const float stoppedAt = frameClock();  // the overlay's running time stands too
    for (int k = 0; k < 10; ++k) {
        scriptedTime() += 3000.0f;
        onKeyDown('w', 0, 0);
        onMouseButton(MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
        onMouseButton(MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP, 0, 0);
        displayFrame();
        ASSERT_EQ(worldHash(), still) << "paused frame " << k;
        ASSERT_EQ(frameClock(), stoppedAt);
    }
    // The pointer moved while paused neither turns the view nor is warped,
    // and the first motion after the pause turns by its own pixel only.
    const Vec3 view = camera.view;
    onMouseMove(700, 500);
    EXPECT_TRUE(camera.view.x == view.x && camera.view.y == view.y && camera.view.z == view.z);
    EXPECT_TRUE(warpLog().empty());

    onKeyDown('p', 0, 0);
    ASSERT_FALSE(gamePaused());
    frameOf16_5();
    EXPECT_EQ(frameElapsedMs, 16.5f);
    EXPECT_EQ(frameStep, 1.0f);
    EXPECT_EQ(flightSpeed, 0.0f) << "the thrust held at the pause acted again";
    onMouseMove(701, 500);
    EXPECT_FLOAT_EQ(camera.yawAngle, -0.0025f);

    flyThrough(6, gateCount - 1);
    flyThrough(0, 0);
    EXPECT_EQ(lastLapTime, unpausedLap);
    // The ghost recorded both laps with the same gate times.
    ASSERT_TRUE(ghostRace.hasCandidate);
    EXPECT_EQ(ghostRace.recorder.closing.gateTimes, ghostRace.candidate.gateTimes);
}

}  // namespace
