#include "render/effects.h"

#include "render/effect_timing.h"
#include "render/sprite.h"
#include "render/texture_table.h"
#include "sim/camera.h"
#include "sim/rocket.h"

#include <GL/gl.h>

void drawExplosion(const Rocket& rocket, int slot, const Camera& eye, bool transparency)
{
    bindTexture(slot);

    glDisable(GL_LIGHTING);
    if (transparency) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        // Depth tested but not written while blended: the clear corners must
        // not hide smoke or blasts drawn after them.
        glDepthMask(GL_FALSE);
    }
    glBegin(GL_POLYGON);
    glColor3f(1.0f, 1.0f, 1.0f);
    sendSprite(rocket.explosionPoint, EXPLOSION_HALF_EDGE, eye);
    glEnd();
    if (transparency) {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    glEnable(GL_LIGHTING);
}
