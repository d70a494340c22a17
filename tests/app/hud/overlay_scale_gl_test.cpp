// The overlay's text on large screens. Each run needs a screen of a given
// size, started for it in tests/CMakeLists.txt, and names the factor that
// screen must get in VOREL_HUD_SCALE_EXPECTED; elsewhere it skips.
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/hud/ghost_overlay_text.h"
#include "app/race/ghost_race.h"
#include "app/hud/overlay.h"
#include "sim/rocket.h"
#include "support/gl_window.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
using Frame = std::vector<GLubyte>;
int width = 0;
int height = 0;

// The play clock's reading of every frame drawn here.
constexpr float NOW_MS = 5000.0f;

// The overlay with the text factor forced as hud.scale forces it (0: the
// window's own).
Frame overlayFrame(Game& game, int forcedScale)
{
    game.view.hudScale = forcedScale;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawOverlay(game, NOW_MS);
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

// Pixels that differ between two frames; against a black frame, the ink.
long differing(const Frame& a, const Frame& b)
{
    long count = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        count += std::memcmp(&a[i], &b[i], 3) != 0;
    }
    return count;
}

// The bitmap frame grown by factor about each line's pen: every inked pixel a
// factor x factor block of its colour at the same place relative to the pen.
Frame grownAboutPens(const OverlayLines& lines, const Frame& plain, int factor)
{
    Frame grown(plain.size(), 0);
    const auto at = [](int x, int y) { return (size_t(y) * width + x) * 3; };
    for (int i = 0; i < lines.count; ++i) {
        const OverlayLine& line = lines.lines[i];
        int plainX = 0, plainY = 0, grownX = 0, grownY = 0;
        penOf(line, 1, plainX, plainY);
        penOf(line, factor, grownX, grownY);
        const int fontHeight = glutBitmapHeight(overlayBitmapFont(line.font));
        for (int y = plainY - fontHeight / 3; y < plainY + fontHeight; ++y) {
            for (int x = plainX; x < plainX + advanceOf(line); ++x) {
                for (int block = 0; std::memcmp(&plain[at(x, y)], "\0\0", 3) != 0 && block < factor * factor; ++block) {
                    const int gx = grownX + factor * (x - plainX) + block % factor;
                    const int gy = grownY + factor * (y - plainY) + block / factor;
                    if (gx >= 0 && gx < width && gy >= 0 && gy < height) {
                        std::memcpy(&grown[at(gx, gy)], &plain[at(x, y)], 3);
                    }
                }
            }
        }
    }
    return grown;
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
    const std::unique_ptr<Game> owned(new Game);  // a world is too large for the stack
    Game& game = *owned;
    game.view.showHighScores = 1;
    game.view.optionsOverlayTimer = OPTIONS_PANEL_MS;
    game.world.rocketCooldown = ROCKET_COOLDOWN_MS;
    game.view.showGhost = 1;
    game.ghost.split = -1234.0f;
    game.ghost.splitShownFrom = NOW_MS;
    game.ghost.hasSplit = true;
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    GLuint sceneTexture = 0;
    glGenTextures(1, &sceneTexture);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    glTexCoord2f(0.25f, 0.75f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    OverlayLines lines;
    composeOverlay(lines, game, NOW_MS);
    composeGhostOverlay(lines, game, NOW_MS);
    const Frame bitmap = overlayFrame(game, 1);  // drawText, line by line, as always
    ASSERT_GT(differing(bitmap, Frame(bitmap.size(), 0)), 5000);
    EXPECT_EQ(differing(overlayFrame(game, 0), scale == 1 ? bitmap : grownAboutPens(lines, bitmap, scale)), 0);
    // A factor forced below the screen's own, as hud.scale sets it.
    if (scale > 2) {
        EXPECT_EQ(differing(overlayFrame(game, 2), grownAboutPens(lines, bitmap, 2)), 0);
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
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
