#include "app/hud/overlay.h"

#include "app/loop/game.h"
#include "app/hud/ghost_overlay_text.h"
#include "app/hud/hud_scale.h"
#include "app/files/options.h"
#include "app/hud/overlay_text.h"
#include "app/hud/scaled_text.h"

#include <GL/glu.h>
#include <GL/glut.h>

namespace {

// Window fraction where a line starts.
float startX(const OverlayLine& line)
{
    if (line.anchor == ANCHOR_LEFT) {
        return line.x;
    }
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0) {
        return line.x;
    }
    const int width = glutBitmapLength(overlayBitmapFont(line.font), reinterpret_cast<const unsigned char*>(line.text));
    const float shift = line.anchor == ANCHOR_CENTRE ? 0.5f * static_cast<float>(width) : static_cast<float>(width);
    return line.x - shift / static_cast<float>(viewport[2]);
}
}  // namespace

void* overlayBitmapFont(OverlayFont font)
{
    return font == FONT_SMALL ? GLUT_BITMAP_HELVETICA_12 : GLUT_BITMAP_HELVETICA_18;
}

void pushWindowFractions()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, 1.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void popWindowFractions()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

void drawText(const char* text, void* font, float red, float green, float blue, float x, float y)
{
    const bool lightingWasOn = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    if (lightingWasOn) {
        glDisable(GL_LIGHTING);
    }
    GLint matrixMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);

    pushWindowFractions();

    // Bitmap fragments are textured like any other: with the cockpit texture
    // still bound, the text would take the colour of one of its texels.
    const bool texturingWasOn = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    if (texturingWasOn) {
        glDisable(GL_TEXTURE_2D);
    }
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glColor3f(red, green, blue);
    glRasterPos3f(x, y, 0.0f);
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    }
    glPopAttrib();
    if (texturingWasOn) {
        glEnable(GL_TEXTURE_2D);
    }

    popWindowFractions();
    glMatrixMode(static_cast<GLenum>(matrixMode));
    if (lightingWasOn) {
        glEnable(GL_LIGHTING);
    }
}

void drawOverlay(Game& game, float nowMs)
{
    game.frameRate.tick(wallClockSinceStart());
    OverlayLines& frameLines = game.overlayLines;
    composeOverlay(frameLines, game, nowMs);
    composeGhostOverlay(frameLines, game, nowMs);
    drawOverlayLines(frameLines, game.view.hudScale);
}

void drawOverlayLines(const OverlayLines& lines, int forcedScale)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int scale = hudScale(viewport[2], viewport[3], forcedScale);
    if (scale > 1 && drawScaledLines(lines, scale)) {
        return;
    }
    for (int i = 0; i < lines.count; ++i) {
        const OverlayLine& line = lines.lines[i];
        drawText(line.text, overlayBitmapFont(line.font), line.red, line.green, line.blue, startX(line), line.y);
    }
}
