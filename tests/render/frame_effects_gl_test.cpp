// A displayed frame changes the world exactly as the headless frame does, so
// that replays and soaks stand for the real game, and a paused one changes
// nothing of it.
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "replay/headless_frame.h"
#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/gl_window.h"
#include "support/scripted_clock.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A fresh run of seed 11 on the scripted clock with a flying rocket, one
// exploding over several frames, one nearly faded, and the camera's vectors a
// little off unit length, as turning leaves them.
std::unique_ptr<Game> busyGame()
{
    std::unique_ptr<Game> game(new Game);
    startGame(*game, 11);
    game->clockSource = scriptedClock;
    World& world = game->world;
    world.rockets[0].launch(-150.0f, -40.0f, 0.0f, 1.0f, 0.2f, 0.0f);
    world.rockets[3].launch(-120.0f, -45.0f, 2.0f, 0.5f, 1.0f, 0.0f);
    world.rockets[3].updateTrail();
    world.rockets[3].explode(Vertex(-100.0f, -40.0f, 0.0f));
    world.rockets[6].state = ROCKET_FADING;
    world.rockets[6].trail[0] = Vertex(-130.0f, -50.0f, 0.0f);
    world.rockets[6].trailLife[0] = 0.001f;
    world.camera.up.scale(1.00001);
    world.camera.side.scale(0.99999);
    return game;
}

}  // namespace

TEST(FrameEffects, ADisplayedFrameChangesTheWorldLikeTheHeadlessFrameAndAPausedOneNot)
{
    ensureGlWindow();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    scriptedTime() = 0.0f;
    const std::unique_ptr<Game> displayed = busyGame();
    const std::unique_ptr<Game> headless = busyGame();
    ASSERT_EQ(worldHash(displayed->world), worldHash(headless->world));

    const float frameMs[] = {9.0f, 16.5f, 40.0f, 12.0f};
    for (float ms : frameMs) {
        const uint64_t start = worldHash(displayed->world);
        scriptedTime() += ms;
        headlessFrame(*headless, playClock(*headless));
        displayFrame(*displayed);
        const uint64_t after = worldHash(headless->world);
        EXPECT_EQ(worldHash(displayed->world), after) << "frame of " << ms << " ms";
        EXPECT_NE(after, start);
    }
    const World& world = displayed->world;
    EXPECT_EQ(world.rockets[6].state, ROCKET_FREE);
    EXPECT_EQ(world.rockets[3].explosionFrame, 7);  // 9 + 16.5 passes 16, 40 does, 12 does not
    EXPECT_NEAR(world.camera.side.length(), 1.0, 1e-6);
    EXPECT_NEAR(world.camera.up.length(), 1.0, 1e-6);

    // Paused, the frame is drawn while the clock runs on, and the world stands.
    pauseGame(*displayed);
    const uint64_t still = worldHash(world);
    for (float ms : frameMs) {
        scriptedTime() += ms;
        displayFrame(*displayed);
        EXPECT_EQ(worldHash(world), still) << "paused frame of " << ms << " ms";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
