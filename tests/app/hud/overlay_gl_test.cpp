#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/hud/overlay.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
struct Counts {
    int green = 0;
    int red = 0;
    int yellow = 0;
};

class Overlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGlWindow();
        width = glutGet(GLUT_WINDOW_WIDTH);
        height = glutGet(GLUT_WINDOW_HEIGHT);
        onReshape(width, height);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        // As the cockpit pass leaves it: texturing on, a texture bound.
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        if (darkTexture == 0) {
            const GLubyte texel[4] = {60, 60, 60, 255};
            glGenTextures(1, &darkTexture);
            glBindTexture(GL_TEXTURE_2D, darkTexture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        }
        glBindTexture(GL_TEXTURE_2D, darkTexture);
        glTexCoord2f(0.0f, 1.0f);
    }

    // Colours in the band of rows from the baseline at fraction y up to a
    // large letter's height, between fractions x0 and x1.
    Counts countBand(float y, float x0, float x1)
    {
        const int top = static_cast<int>(y * height) + 14;
        const int bottom = static_cast<int>(y * height) - 4;
        const int left = static_cast<int>(x0 * width);
        const int right = static_cast<int>(x1 * width);
        std::vector<GLubyte> rgba(static_cast<size_t>((right - left) * (top - bottom) * 4));
        glReadBuffer(GL_BACK);
        glReadPixels(left, bottom, right - left, top - bottom, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        Counts counts;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            const int r = rgba[i];
            const int g = rgba[i + 1];
            const int b = rgba[i + 2];
            counts.green += g > 200 && r < 100 && b < 100;
            counts.red += r > 200 && g < 100 && b < 100;
            counts.yellow += r > 150 && g > 150 && b < 50;
        }
        return counts;
    }

    void drawFrame()
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawOverlay(game, 0.0f);
        glFinish();
    }

    // A game of the test's own, on the heap: a world is too large for the stack.
    std::unique_ptr<Game> owned{new Game};
    Game& game = *owned;
    int width = 0;
    int height = 0;
    static GLuint darkTexture;
};
GLuint Overlay::darkTexture = 0;
}  // namespace

// The status keeps its own colour over the texture the cockpit left bound.
TEST_F(Overlay, RocketStatusIsGreenWhenReadyAndRedWhilePreparing)
{
    drawFrame();
    Counts status = countBand(0.04f, 0.40f, 0.70f);
    EXPECT_GT(status.green, 100);
    EXPECT_EQ(status.red, 0);

    game.world.rocketCooldown = ROCKET_COOLDOWN_MS;  // as a launch leaves it
    drawFrame();
    status = countBand(0.04f, 0.40f, 0.70f);
    EXPECT_GT(status.red, 100);
    EXPECT_EQ(status.green, 0);

    // Drawing text leaves the scene's state as it was.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Overlay, SpeedLabelEndsWhereTheNumberBegins)
{
    game.world.flightSpeed = TOP_SPEED;
    drawFrame();
    const Counts label = countBand(0.12f, 0.30f, 0.48f);
    const Counts number = countBand(0.12f, 0.48f, 0.60f);
    EXPECT_GT(label.yellow, 50);
    EXPECT_GT(number.yellow, 50);
    // "Speed: " is about 60 pixels wide in the large font: nothing further left.
    EXPECT_EQ(countBand(0.12f, 0.30f, 0.48f - 80.0f / width).yellow, 0);
}

TEST_F(Overlay, OptionsPanelDrawsEachOptionInItsStateColour)
{
    game.view.optionsOverlayTimer = OPTIONS_PANEL_MS;
    game.view.textureFilter = 1;
    game.view.transparency = 0;
    drawFrame();
    EXPECT_GT(countBand(0.92f, 0.05f, 0.30f).green, 50);  // "Texturfilter" on
    const Counts off = countBand(0.8f, 0.05f, 0.30f);    // "Transparenz" off
    EXPECT_GT(off.red, 50);
    EXPECT_EQ(off.green, 0);
}
