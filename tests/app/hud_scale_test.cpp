#include "app/hud_scale.h"

#include <gtest/gtest.h>

// The steps at 1440 and 2160 lines are checked on screens of those sizes
// (overlay_scale_gl_test.cpp); here the limits a screen size cannot show.
TEST(HudScale, AnUprightScreenKeepsItsWidthsFactorAndAForcedFactorMustBeInRange)
{
    EXPECT_EQ(hudScale(1440, 2560, 0), 1);
    EXPECT_EQ(hudScale(3840, 2159, 0), 2);
    EXPECT_EQ(hudScale(1024, 768, HUD_SCALE_MAX), HUD_SCALE_MAX);
    EXPECT_EQ(hudScale(3840, 2160, HUD_SCALE_MAX + 1), 3);
}
