// Pause through the real frame driver and key handlers, on a scripted clock:
// the paused frames draw the still scene and change nothing of the world, and
// the clock leaves the pause out of the lap, the ghost and the next step.
#include "app/loop/display_frame.h"
#include "app/race/ghost_race.h"
#include "app/input/input.h"
#include "app/loop/pause.h"
#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/frame_input.h"
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
        setUpWorld(world, 5);
        parkAsteroids(world);
    }

    // Displayed frames with the craft at rest on the centres of gates first to last.
    void flyThrough(int first, int last)
    {
        for (int g = first; g <= last; ++g) {
            world.camera.position = Vec3{courseTable[g].x, courseTable[g].y, courseTable[g].z};
            scriptedTime() += 400.0f + 16.5f * static_cast<float>(g);
            displayFrame(game);
        }
    }
    void frameOf16_5()
    {
        scriptedTime() += 16.5f;
        displayFrame(game);
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
    const float unpausedLap = world.lastLapTime;
    ASSERT_GT(unpausedLap, 0.0f);
    flyThrough(1, 5);

    // Thrust held, a rocket exploding, one fading: a played frame would move
    // all of them on.
    onKeyDown(game, 'w');
    world.rockets[2].launch(0.0f, 0.0f, 100.0f, 1.0f, 0.0f, 0.0f);
    world.rockets[2].explode(Vertex(0.0f, 0.0f, 100.0f));
    world.rockets[5].state = ROCKET_FADING;
    world.rockets[5].trail[0] = Vertex(10.0f, 0.0f, 100.0f);
    world.rockets[5].trailLife[0] = 0.5f;
    onKeyDown(game, 'p');
    ASSERT_TRUE(gamePaused(game));
    EXPECT_EQ(game.hands.thrustInput, 0) << "a held input must not outlast the pause";

    const uint64_t still = worldHash(world);
    const float stoppedAt = playClock(game);  // the overlay's running time stands too
    for (int k = 0; k < 10; ++k) {
        scriptedTime() += 3000.0f;
        onKeyDown(game, 'w');
        onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
        onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP);
        displayFrame(game);
        ASSERT_EQ(worldHash(world), still) << "paused frame " << k;
        ASSERT_EQ(playClock(game), stoppedAt);
    }
    // The pointer moved while paused neither turns the view nor is warped,
    // and the first motion after the pause turns by its own pixel only: a
    // look of the next frame.
    onMouseMove(game, 700, 500);
    EXPECT_TRUE(game.input.commands.empty()) << "a launch or a turn waits for the end of the pause";
    EXPECT_TRUE(warpLog().empty());

    onKeyDown(game, 'p');
    ASSERT_FALSE(gamePaused(game));
    frameOf16_5();
    EXPECT_EQ(world.frameElapsedMs, 16.5f);
    EXPECT_EQ(world.frameStep, 1.0f);
    EXPECT_EQ(world.flightSpeed, 0.0f) << "the thrust held at the pause acted again";
    onMouseMove(game, 701, 500);
    ASSERT_EQ(game.input.commands.size(), 1u);
    EXPECT_EQ(game.input.commands[0].kind, FrameCommandKind::LOOK);
    EXPECT_FLOAT_EQ(game.input.commands[0].yaw, -0.0025f);

    flyThrough(6, gateCount - 1);
    EXPECT_FLOAT_EQ(world.camera.yawAngle, -0.0025f);
    flyThrough(0, 0);
    EXPECT_EQ(world.lastLapTime, unpausedLap);
    // The ghost recorded both laps with the same gate times.
    ASSERT_TRUE(game.ghost.hasCandidate);
    EXPECT_EQ(game.ghost.recorder.closing.gateTimes, game.ghost.candidate.gateTimes);
}

}  // namespace
