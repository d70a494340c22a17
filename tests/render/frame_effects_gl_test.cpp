// The drawing passes of the frame change the world exactly as the headless
// frame does, so that replays and soaks stand for the real game.
#include "app/display_frame.h"
#include "render/camera_view.h"
#include "render/effects.h"
#include "render/frame_effects.h"
#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

namespace {

struct EffectState {
    Camera view;
    Rocket slots[ROCKET_COUNT];
    float elapsed = 0.0f;

    void save()
    {
        view = camera;
        for (int r = 0; r < ROCKET_COUNT; ++r) {
            slots[r] = rockets[r];
        }
        elapsed = frameElapsedMs;
    }
    void restore() const
    {
        camera = view;
        for (int r = 0; r < ROCKET_COUNT; ++r) {
            rockets[r] = slots[r];
        }
        frameElapsedMs = elapsed;
    }
};

// The effects of the frame inside its camera transform, as the frame driver draws them.
void drawnEffects()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    lookThroughCamera();
    runFrameEffects(FrameEffectPasses{drawExplosion, drawSmokeTrail, drawCockpit});
    glPopMatrix();
}

}  // namespace

TEST(FrameEffects, DrawingPassesChangeTheWorldLikeTheHeadlessFrame)
{
    ensureGlWindow();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    resetWorld();
    randomSeed(11);
    setUpWorld();

    // A flying rocket, one exploding over several frames, one nearly faded;
    // camera vectors a little off unit length, as turning leaves them.
    rockets[0].launch(-150.0f, -40.0f, 0.0f, 1.0f, 0.2f, 0.0f);
    rockets[3].launch(-120.0f, -45.0f, 2.0f, 0.5f, 1.0f, 0.0f);
    rockets[3].updateTrail();
    rockets[3].explode(Vertex(-100.0f, -40.0f, 0.0f));
    rockets[6].state = ROCKET_FADING;
    rockets[6].trail[0] = Vertex(-130.0f, -50.0f, 0.0f);
    rockets[6].trailLife[0] = 0.001f;
    camera.up.scale(1.00001);
    camera.side.scale(0.99999);

    const float frameMs[] = {9.0f, 16.5f, 40.0f, 12.0f};
    for (float ms : frameMs) {
        frameElapsedMs = ms;
        EffectState before;
        before.save();
        const uint64_t start = worldHash();

        runFrameEffects(FrameEffectPasses{});
        const uint64_t headless = worldHash();
        before.restore();
        ASSERT_EQ(worldHash(), start);

        drawnEffects();
        EXPECT_EQ(worldHash(), headless) << "frame of " << ms << " ms";
        EXPECT_NE(headless, start);
    }
    EXPECT_EQ(rockets[6].state, ROCKET_FREE);
    EXPECT_EQ(rockets[3].explosionFrame, 7);  // 9 + 16.5 passes 16, 40 does, 12 does not
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    resetWorld();
}
