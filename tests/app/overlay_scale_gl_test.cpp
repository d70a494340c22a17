// The overlay's text on large screens. Each run needs a screen of a given
// size, started for it in tests/CMakeLists.txt, and names the factor that
// screen must get in VOREL_HUD_SCALE_EXPECTED; elsewhere it skips.
#include "app/display_frame.h"
#include "app/ghost_overlay_text.h"
#include "app/ghost_race.h"
#include "app/overlay.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world_state.h"
#include "support/gl_window.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
using Frame = std::vector<GLubyte>;
int width = 0;
int height = 0;

float fixedClock()
{
    return 5000.0f;
}

Frame overlayFrame(int forcedScale)
{
    setOverlayScale(forcedScale);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawOverlay();
    Frame rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

int advanceOf(const OverlayLine& line)
{
    return glutBitmapLength(overlayBitmapFont(line.font), reinterpret_cast<const unsigned char*>(line.text));
}

// The window pixel where a line's first glyph starts with its text grown by
// factor, as Mesa lands a bitmap's raster position (nudged up, then floored).
void penOf(const OverlayLine& line, int factor, int& x, int& y)
{
    const float grownWidth = static_cast<float>(factor * advanceOf(line)) / static_cast<float>(width);
    x = static_cast<int>(std::floor((line.anchor == ANCHOR_RIGHT ? line.x - grownWidth : line.x) * width + 1e-4f));
    y = static_cast<int>(std::floor(line.y * height + 1e-4f));
}

// Every inked pixel of a line in the bitmap frame must be a factor x factor
// block of its colour in the grown frame, at the same place relative to the
// line's pen, and the grown frame must hold no other ink.
void expectGrown(const OverlayLines& lines, const Frame& plain, const Frame& grown, int factor)
{
    SCOPED_TRACE(testing::Message() << "factor " << factor);
    const auto at = [](const Frame& frame, int x, int y) { return &frame[(size_t(y) * width + x) * 3]; };
    const auto inked = [&](const Frame& frame, int x, int y) { return std::memcmp(at(frame, x, y), "\0\0", 3) != 0; };
    long expectedInk = 0;
    for (int i = 0; i < lines.count; ++i) {
        const OverlayLine& line = lines.lines[i];
        int plainX = 0, plainY = 0, grownX = 0, grownY = 0;
        penOf(line, 1, plainX, plainY);
        penOf(line, factor, grownX, grownY);
        const int fontHeight = glutBitmapHeight(overlayBitmapFont(line.font));
        int wrong = 0;
        for (int y = plainY - fontHeight / 3; y < plainY + fontHeight; ++y) {
            for (int x = plainX; x < plainX + advanceOf(line); ++x) {
                for (int block = 0; inked(plain, x, y) && block < factor * factor; ++block) {
                    const int gx = grownX + factor * (x - plainX) + block % factor;
                    const int gy = grownY + factor * (y - plainY) + block / factor;
                    if (gx >= 0 && gx < width && gy >= 0 && gy < height) {
                        ++expectedInk;
                        wrong += std::memcmp(at(plain, x, y), at(grown, gx, gy), 3) != 0;
                    }
                }
            }
        }
        EXPECT_EQ(wrong, 0) << "\"" << line.text << "\"";
    }
    long grownInk = 0;
    for (int i = 0; i < width * height; ++i) {
        grownInk += inked(grown, i % width, i / width);
    }
    EXPECT_EQ(grownInk, expectedInk);
    EXPECT_GT(expectedInk, 5000 * factor * factor);
}
}  // namespace

TEST(OverlayScale, TextGrowsByTheScreensFactorAboutEachLinesPen)
{
    const char* expected = std::getenv("VOREL_HUD_SCALE_EXPECTED");
    if (expected == nullptr) {
        GTEST_SKIP() << "runs on screens of its own sizes (tests/CMakeLists.txt)";
    }
    const int scale = std::atoi(expected);
    ensureGlWindow();
    width = glutGet(GLUT_WINDOW_WIDTH);
    height = glutGet(GLUT_WINDOW_HEIGHT);
    onReshape(width, height);
    // Lines of both fonts and of every colour, the ghost's included, over the
    // state the scene leaves: lit, textured, in wireframe.
    frameClock = fixedClock;
    showHighScores = 1;
    optionsOverlayTimer = 1500.0f;
    rocketCooldown = ROCKET_COOLDOWN_MS;
    showGhost = 1;
    ghostRace.split = -1234.0f;
    ghostRace.splitShownFrom = fixedClock();
    ghostRace.hasSplit = true;
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    GLuint sceneTexture = 0;
    glGenTextures(1, &sceneTexture);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    glTexCoord2f(0.25f, 0.75f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    OverlayLines lines;
    composeOverlay(lines, fixedClock());
    composeGhostOverlay(lines, fixedClock());
    const Frame bitmap = overlayFrame(1);  // drawText, line by line, as always
    const Frame automatic = overlayFrame(0);
    if (scale == 1) {
        EXPECT_TRUE(automatic == bitmap);
    } else {
        expectGrown(lines, bitmap, automatic, scale);
    }
    // A factor forced below the screen's own, as hud.scale sets it.
    if (scale > 2) {
        expectGrown(lines, bitmap, overlayFrame(2), 2);
    }

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_ALPHA_TEST));
    GLint bound = 0;
    GLint polygonMode[2] = {0, 0};
    GLfloat texCoord[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
    EXPECT_TRUE(static_cast<GLuint>(bound) == sceneTexture && polygonMode[0] == GL_LINE && texCoord[1] == 0.75f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    setOverlayScale(0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
