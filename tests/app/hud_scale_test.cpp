#include "app/hud_scale.h"

#include <gtest/gtest.h>

// The factor steps at 1440 and 2160 lines, never lets a line outgrow a
// narrow screen, and a forced factor wins only within 1 to HUD_SCALE_MAX.
TEST(HudScale, StepsWithTheHeightWithinTheWidthUnlessForced)
{
    EXPECT_EQ(hudScale(1024, 768, 0), 1);
    EXPECT_EQ(hudScale(1920, 1080, 0), 1);
    EXPECT_EQ(hudScale(2560, 1439, 0), 1);
    EXPECT_EQ(hudScale(2560, 1440, 0), 2);
    EXPECT_EQ(hudScale(3840, 2159, 0), 2);
    EXPECT_EQ(hudScale(3840, 2160, 0), 3);
    EXPECT_EQ(hudScale(7680, 4320, 0), 6);
    EXPECT_EQ(hudScale(1440, 2560, 0), 1);  // upright 1440p
    EXPECT_EQ(hudScale(0, 0, 0), 1);

    EXPECT_EQ(hudScale(1024, 768, 3), 3);
    EXPECT_EQ(hudScale(3840, 2160, 1), 1);
    EXPECT_EQ(hudScale(3840, 2160, HUD_SCALE_MAX + 1), 3);
    EXPECT_EQ(hudScale(3840, 2160, -1), 3);
}
