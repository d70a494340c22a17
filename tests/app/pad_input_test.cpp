#include "app/pad_input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

PadState stick(double x, double y)
{
    PadState pad;
    pad.axes[PAD_LEFT_X] = static_cast<short>(std::lround(x * PAD_AXIS_FULL));
    pad.axes[PAD_LEFT_Y] = static_cast<short>(std::lround(y * PAD_AXIS_FULL));
    return pad;
}

double reach(const StickDeflection& d)
{
    return std::hypot(d.x, d.y);
}

}  // namespace

// The deflection grows from nothing at the deadzone's edge, without a jump,
// to full at full travel, in the stick's own direction; past full travel (a
// square gate's corners) it stays full.
TEST(PadStick, TheDeadzoneIsRescaledWithoutAJump)
{
    for (const float deadzone : {0.0f, 0.15f, 0.9f}) {
        EXPECT_EQ(reach(stickDeflection(stick(deadzone * 0.99, 0.0), deadzone)), 0.0) << deadzone;
        EXPECT_LT(reach(stickDeflection(stick(0.0, deadzone + 0.001), deadzone)), 0.011) << deadzone;
        EXPECT_NEAR(reach(stickDeflection(stick(-1.0, 0.0), deadzone)), 1.0, 1e-4) << deadzone;
    }
    const StickDeflection half = stickDeflection(stick(0.3, -0.4), 0.15f);
    EXPECT_NEAR(reach(half), (0.5 - 0.15) / 0.85, 1e-4);
    EXPECT_NEAR(half.y / half.x, -4.0 / 3.0, 1e-3);
    const StickDeflection corner = stickDeflection(stick(1.0, 1.0), 0.15f);
    EXPECT_NEAR(reach(corner), 1.0, 1e-6);
    EXPECT_NEAR(corner.x, corner.y, 1e-9);
}

TEST(PadStick, PadsActAsOne)
{
    PadState pads[3] = {stick(0.2, 0.1), stick(-0.6, 0.3), stick(0.5, 0.0)};
    pads[0].axes[PAD_TRIGGER_RIGHT] = 9000;
    pads[2].axes[PAD_TRIGGER_RIGHT] = 20000;
    pads[1].axes[PAD_TRIGGER_LEFT] = 300;
    pads[0].buttons[PAD_A] = true;
    pads[2].buttons[PAD_START] = true;
    const PadState one = combinePads(pads, 3);
    EXPECT_EQ(one.axes[PAD_LEFT_X], pads[1].axes[PAD_LEFT_X]);
    EXPECT_EQ(one.axes[PAD_LEFT_Y], pads[1].axes[PAD_LEFT_Y]);
    EXPECT_EQ(one.axes[PAD_TRIGGER_RIGHT], 20000);
    EXPECT_EQ(one.axes[PAD_TRIGGER_LEFT], 300);
    EXPECT_TRUE(one.buttons[PAD_A]);
    EXPECT_TRUE(one.buttons[PAD_START]);
    EXPECT_FALSE(one.buttons[PAD_B]);
    EXPECT_EQ(combinePads(pads, 0).axes[PAD_LEFT_X], 0);
}
