#include "app/loop/frame_cues.h"
#include "sim/update_frame.h"
#include "support/sim_world.h"

namespace {
class UpdateFrame : public SimWorld {
protected:
    // Runs one played frame, the app's side included, that lasts exactly ms.
    void frameOf(float ms)
    {
        world.lastFrameTime = 0.0f;
        playTo(ms);
    }
    void playTo(float nowMs)
    {
        scriptedTime() = nowMs;
        advanceFrame(game, nowMs);
    }
};
}  // namespace

TEST_F(UpdateFrame, TimeStepIsMillisecondsOver16AndAHalf)
{
    frameOf(16.5f);
    EXPECT_FLOAT_EQ(world.frameElapsedMs, 16.5f);
    EXPECT_EQ(world.frameStep, 1.0f);
    frameOf(33.0f);
    EXPECT_EQ(world.frameStep, 2.0f);
    frameOf(8.25f);
    EXPECT_EQ(world.frameStep, 0.5f);
}

TEST_F(UpdateFrame, MeasuresFromThePreviousUpdate)
{
    playTo(100.0f);
    EXPECT_EQ(world.lastFrameTime, 100.0f);
    playTo(133.0f);
    EXPECT_EQ(world.frameElapsedMs, 33.0f);
    EXPECT_EQ(world.lastFrameTime, 133.0f);
}

TEST_F(UpdateFrame, RocketCooldownTruncatesEachFrameTowardZero)
{
    world.rocketCooldown = 2500;
    int frames = 0;
    while (world.rocketCooldown > 0) {
        frameOf(16.7f);
        ++frames;
        if (world.rocketCooldown > 0) {
            ASSERT_EQ(world.rocketCooldown, 2500 - 17 * frames);
        }
    }
    EXPECT_EQ(frames, 148);
    EXPECT_EQ(world.rocketCooldown, -15);

    // Once ready it is no longer counted down.
    frameOf(16.7f);
    EXPECT_EQ(world.rocketCooldown, -15);

    world.rocketCooldown = 10;
    frameOf(16.9f);
    EXPECT_EQ(world.rocketCooldown, -6);
}

TEST_F(UpdateFrame, OptionsPanelTimerRunsDownPastZeroThenStops)
{
    game.view.optionsOverlayTimer = 1500.0f;
    frameOf(1000.0f);
    EXPECT_FLOAT_EQ(game.view.optionsOverlayTimer, 500.0f);
    frameOf(600.0f);
    EXPECT_FLOAT_EQ(game.view.optionsOverlayTimer, -100.0f);
    frameOf(600.0f);
    EXPECT_FLOAT_EQ(game.view.optionsOverlayTimer, -100.0f);
}
