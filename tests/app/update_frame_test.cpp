#include "sim/update_frame.h"
#include "support/scripted_clock.h"

namespace {
class UpdateFrame : public ScriptedClockTest {
protected:
    void SetUp() override
    {
        ScriptedClockTest::SetUp();
        lastFrameTime = 0.0f;
        rocketCooldown = 0;
        optionsOverlayTimer = 0.0f;
    }

    // Runs one update whose frame lasts exactly ms.
    void frameOf(float ms)
    {
        lastFrameTime = 0.0f;
        scriptedTime() = ms;
        updateFrame();
    }
};
}  // namespace

TEST_F(UpdateFrame, TimeStepIsMillisecondsOver16AndAHalf)
{
    frameOf(16.5f);
    EXPECT_FLOAT_EQ(frameElapsedMs, 16.5f);
    EXPECT_EQ(frameStep, 1.0f);
    frameOf(33.0f);
    EXPECT_EQ(frameStep, 2.0f);
    frameOf(8.25f);
    EXPECT_EQ(frameStep, 0.5f);
}

TEST_F(UpdateFrame, MeasuresFromThePreviousUpdate)
{
    scriptedTime() = 100.0f;
    updateFrame();
    EXPECT_EQ(lastFrameTime, 100.0f);
    scriptedTime() = 133.0f;
    updateFrame();
    EXPECT_EQ(frameElapsedMs, 33.0f);
    EXPECT_EQ(lastFrameTime, 133.0f);
}

TEST_F(UpdateFrame, RocketCooldownTruncatesEachFrameTowardZero)
{
    rocketCooldown = 2500;
    int frames = 0;
    while (rocketCooldown > 0) {
        frameOf(16.7f);
        ++frames;
        if (rocketCooldown > 0) {
            ASSERT_EQ(rocketCooldown, 2500 - 17 * frames);
        }
    }
    EXPECT_EQ(frames, 148);
    EXPECT_EQ(rocketCooldown, -15);

    // Once ready it is no longer counted down.
    frameOf(16.7f);
    EXPECT_EQ(rocketCooldown, -15);

    rocketCooldown = 10;
    frameOf(16.9f);
    EXPECT_EQ(rocketCooldown, -6);
}

TEST_F(UpdateFrame, OptionsPanelTimerRunsDownPastZeroThenStops)
{
    optionsOverlayTimer = 1500.0f;
    frameOf(1000.0f);
    EXPECT_FLOAT_EQ(optionsOverlayTimer, 500.0f);
    frameOf(600.0f);
    EXPECT_FLOAT_EQ(optionsOverlayTimer, -100.0f);
    frameOf(600.0f);
    EXPECT_FLOAT_EQ(optionsOverlayTimer, -100.0f);
}
