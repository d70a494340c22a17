#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

TEST(Display, OpensAWindowEvenWhereGameModeFails)
{
    ensureGlWindow();
    // Under Xvfb the mode change always fails; the fallback window must exist
    // and be current, or the next toolkit call would abort the process.
    EXPECT_NE(glutGetWindow(), 0);
    if (!displayInGameMode()) {
        EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH) > 0, true);
        leaveDisplay();  // not entered: must not touch game mode
        EXPECT_NE(glutGetWindow(), 0);
    }
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

TEST(Display, ReshapeSetsTheFortyFiveDegreeProjection)
{
    ensureGlWindow();
    onReshape(1024, 768);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_NEAR(projection[5], f, 1e-5);
    EXPECT_NEAR(projection[0], f / (1024.0 / 768.0), 1e-5);
    // Near 1 and far 1024 fix the depth terms.
    EXPECT_NEAR(projection[10], -(1024.0 + 1.0) / (1024.0 - 1.0), 1e-5);
    EXPECT_NEAR(projection[14], -2.0 * 1024.0 / (1024.0 - 1.0), 1e-4);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
}

TEST(Display, ReshapeToZeroHeightKeepsAFiniteProjection)
{
    ensureGlWindow();
    onReshape(800, 0);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float value : projection) {
        ASSERT_TRUE(std::isfinite(value));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    onReshape(1024, 768);
}

TEST(Display, SwapIntervalCallIsHarmlessWithOrWithoutTheExtension)
{
    ensureGlWindow();
    setSwapInterval(0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
