// The overlay's text on large screens. Each run needs a screen of a given
// size, started for it in tests/CMakeLists.txt, and names the factor that
// screen must get in VOREL_HUD_SCALE_EXPECTED; elsewhere it skips.
#include "app/display_frame.h"
#include "app/ghost_race.h"
#include "app/ghost_overlay_text.h"
#include "app/high_scores.h"
#include "app/overlay.h"
#include "app/overlay_text.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world_state.h"
#include "support/gl_window.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
constexpr float NOW_MS = 5000.0f;
float fixedClock()
{
    return NOW_MS;
}
int64_t stoppedWallClock()
{
    return 0;
}

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<GLubyte> rgb;

    const GLubyte* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    bool inked(int x, int y) const
    {
        const GLubyte* p = at(x, y);
        return p[0] != 0 || p[1] != 0 || p[2] != 0;
    }
};

class OverlayScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* expected = std::getenv("VOREL_HUD_SCALE_EXPECTED");
        if (expected == nullptr) {
            GTEST_SKIP() << "runs on screens of its own sizes (tests/CMakeLists.txt)";
        }
        expectedScale = std::atoi(expected);
        ensureGlWindow();
        width = glutGet(GLUT_WINDOW_WIDTH);
        height = glutGet(GLUT_WINDOW_HEIGHT);
        onReshape(width, height);

        // Every line the overlay can show, the ghost's included.
        savedClock = frameClock;
        frameClock = fixedClock;
        overlayWallClock = stoppedWallClock;
        showFps = 1;
        std::snprintf(frameRateCounter.text, sizeof frameRateCounter.text, "FPS: 61");
        lapStartTime = 0.0f;
        lastLapTime = 61480.0f;
        bestLapTime = 58125.0f;
        savedScores = highScoreList;
        highScoreList.reset();
        highScoreList.append("Ace", 58125.0f);
        highScoreList.append("Nova", 61480.0f);
        highScoreList.append("Kestrel", 64905.0f);
        showHighScores = 1;
        optionsOverlayTimer = 1500.0f;
        textureFilter = 1;
        transparency = 0;
        rocketCooldown = ROCKET_COOLDOWN_MS;
        flightSpeed = 0.45f;
        showGhost = 1;
        ghostRace.split = -1234.0f;
        ghostRace.splitShownFrom = NOW_MS - 100.0f;
        ghostRace.hasSplit = true;

        // The state the scene leaves: lit, textured, in wireframe, culling
        // the clockwise faces.
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        const GLubyte texel[4] = {60, 60, 60, 255};
        glGenTextures(1, &sceneTexture);
        glBindTexture(GL_TEXTURE_2D, sceneTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        glTexCoord2f(0.25f, 0.75f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CW);
        glCullFace(GL_FRONT);
    }

    void TearDown() override
    {
        if (expectedScale == 0) {
            return;
        }
        setOverlayScale(0);
        frameClock = savedClock;
        overlayWallClock = wallClockSinceStart;
        highScoreList = savedScores;
        showFps = 0;
        showHighScores = 0;
        optionsOverlayTimer = 0.0f;
        transparency = 1;
        rocketCooldown = 0;
        showGhost = 0;
        ghostRace.hasSplit = false;
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_CULL_FACE);
        glDeleteTextures(1, &sceneTexture);
    }

    Frame readFrame()
    {
        glFinish();
        Frame frame{width, height, std::vector<GLubyte>(static_cast<size_t>(width) * height * 3)};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
        return frame;
    }

    Frame overlayFrame(int forcedScale)
    {
        setOverlayScale(forcedScale);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawOverlay();
        return readFrame();
    }

    // This frame's lines as the overlay composes them.
    OverlayLines composedLines()
    {
        OverlayLines lines;
        composeOverlay(lines, NOW_MS);
        composeGhostOverlay(lines, NOW_MS);
        return lines;
    }

    static int advanceOf(const OverlayLine& line)
    {
        return glutBitmapLength(overlayBitmapFont(line.font), reinterpret_cast<const unsigned char*>(line.text));
    }

    // Where a line's first glyph starts with its text grown by scale: the
    // raster position of its start, as a bitmap lands on it.
    void penOf(const OverlayLine& line, int scale, int& x, int& y)
    {
        float start = line.x;
        if (line.anchor == ANCHOR_RIGHT) {
            const int advance = advanceOf(line);
            start -= static_cast<float>(scale * advance) / static_cast<float>(width);
        }
        pushWindowFractions();
        glRasterPos3f(start, line.y, 0.0f);
        GLfloat raster[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        popWindowFractions();
        glMatrixMode(GL_MODELVIEW);
        // Mesa nudges a bitmap's raster position up by 1e-4 before flooring.
        x = static_cast<int>(std::floor(raster[0] + 1e-4f));
        y = static_cast<int>(std::floor(raster[1] + 1e-4f));
    }

    // Every inked pixel of a line at scale 1 must be a scale x scale block of
    // the same colour in the grown frame, at the same place relative to the
    // line's pen, and the grown frame must hold no other ink.
    void expectGrown(const Frame& plain, const Frame& grown, int scale)
    {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        const OverlayLines lines = composedLines();
        long expectedInk = 0;
        long lineInk = 0;
        for (int i = 0; i < lines.count; ++i) {
            const OverlayLine& line = lines.lines[i];
            int plainX = 0;
            int plainY = 0;
            int grownX = 0;
            int grownY = 0;
            penOf(line, 1, plainX, plainY);
            penOf(line, scale, grownX, grownY);
            const int advance = advanceOf(line);
            const int fontHeight = glutBitmapHeight(overlayBitmapFont(line.font));
            int inked = 0;
            int wrong = 0;
            for (int y = plainY - fontHeight / 3; y < plainY + fontHeight; ++y) {
                for (int x = plainX; x < plainX + advance; ++x) {
                    if (!plain.inked(x, y)) {
                        continue;
                    }
                    ++inked;
                    for (int dy = 0; dy < scale; ++dy) {
                        for (int dx = 0; dx < scale; ++dx) {
                            const int gx = grownX + scale * (x - plainX) + dx;
                            const int gy = grownY + scale * (y - plainY) + dy;
                            if (gx < 0 || gx >= width || gy < 0 || gy >= height) {
                                continue;
                            }
                            ++expectedInk;
                            const GLubyte* want = plain.at(x, y);
                            const GLubyte* got = grown.at(gx, gy);
                            wrong += want[0] != got[0] || want[1] != got[1] || want[2] != got[2];
                        }
                    }
                }
            }
            EXPECT_GT(inked, 0) << "no ink for \"" << line.text << "\"";
            EXPECT_EQ(wrong, 0) << "\"" << line.text << "\" differs";
            lineInk += inked;
        }
        long grownInk = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                grownInk += grown.inked(x, y);
            }
        }
        EXPECT_EQ(grownInk, expectedInk);
        EXPECT_GT(lineInk, 1000);
    }

    void expectSceneStateKept()
    {
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
        GLint value[2] = {0, 0};
        glGetIntegerv(GL_TEXTURE_BINDING_2D, value);
        EXPECT_EQ(static_cast<GLuint>(value[0]), sceneTexture);
        glGetIntegerv(GL_POLYGON_MODE, value);
        EXPECT_EQ(value[0], GL_LINE);
        glGetIntegerv(GL_MATRIX_MODE, value);
        EXPECT_EQ(value[0], GL_MODELVIEW);
        GLfloat texCoord[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
        EXPECT_EQ(texCoord[0], 0.25f);
        EXPECT_EQ(texCoord[1], 0.75f);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    int expectedScale = 0;
    int width = 0;
    int height = 0;
    GLuint sceneTexture = 0;
    FrameClock savedClock = nullptr;
    HighScoreList savedScores;
};
}  // namespace

TEST_F(OverlayScale, TextGrowsByTheScreensFactorAboutEachLinesPen)
{
    // The overlay as it was always drawn: bitmap text, line by line.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const OverlayLines lines = composedLines();
    for (int i = 0; i < lines.count; ++i) {
        const OverlayLine& line = lines.lines[i];
        const int advance = advanceOf(line);
        const float startX =
            line.anchor == ANCHOR_RIGHT ? line.x - static_cast<float>(advance) / static_cast<float>(width) : line.x;
        drawText(line.text, overlayBitmapFont(line.font), line.red, line.green, line.blue, startX, line.y);
    }
    const Frame bitmap = readFrame();

    EXPECT_EQ(overlayFrame(1).rgb, bitmap.rgb);
    const Frame automatic = overlayFrame(0);
    if (expectedScale == 1) {
        EXPECT_EQ(automatic.rgb, bitmap.rgb);
    } else {
        expectGrown(bitmap, automatic, expectedScale);
    }
    expectSceneStateKept();
    // A factor forced below the screen's own, as hud.scale sets it.
    if (expectedScale > 2) {
        expectGrown(bitmap, overlayFrame(2), 2);
        expectSceneStateKept();
    }
}
