#include "app/menu/menu_draw.h"

#include "app/hud/hud_scale.h"
#include "app/files/options.h"
#include "app/hud/overlay.h"
#include "app/hud/scaled_text.h"

#include <GL/glut.h>

namespace {

// How much of the frame behind shows through: enough to see the world
// stand still, little enough for every line to read over a bright gate and
// over the overlay's own lines, which the options screen's rows cross.
constexpr float BACKDROP_ALPHA = 0.8f;

void dimBehind()
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GLint matrixMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    pushWindowFractions();
    glColor4f(0.0f, 0.0f, 0.0f, BACKDROP_ALPHA);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    popWindowFractions();
    glMatrixMode(static_cast<GLenum>(matrixMode));
    glPopAttrib();
}

}  // namespace

void drawMenu(PauseMenu& menu)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) {
        return;
    }
    const int scale = hudScale(viewport[2], viewport[3], static_cast<int>(playerOptions.display.hudScale));
    menu.layout = MenuLayout{viewport[2], viewport[3], scale};
    OverlayLines& menuLines = menu.lines;
    menuLines.count = 0;
    composeMenu(menu.view(), menu.layout, menuLines);

    dimBehind();
    if (scale > 1 && drawScaledLines(menuLines, scale)) {
        return;
    }
    for (int i = 0; i < menuLines.count; ++i) {
        const OverlayLine& line = menuLines.lines[static_cast<std::size_t>(i)];
        float x = line.x;
        if (line.anchor == ANCHOR_CENTRE) {
            const int width = glutBitmapLength(overlayBitmapFont(line.font), reinterpret_cast<const unsigned char*>(line.text));
            x -= 0.5f * static_cast<float>(width) / static_cast<float>(viewport[2]);
        }
        drawText(line.text, overlayBitmapFont(line.font), line.red, line.green, line.blue, x, line.y);
    }
}
