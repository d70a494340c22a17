#include "render/effects.h"

#include "render/effect_timing.h"
#include "render/sprite.h"
#include "render/texture_table.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world_state.h"

#include <GL/gl.h>

void drawExplosion(int rocketIndex)
{
    Rocket& rocket = rockets[rocketIndex];
    bindTexture(advanceExplosion(rocket, frameElapsedMs));

    glDisable(GL_LIGHTING);
    if (transparency) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    glBegin(GL_POLYGON);
    glColor3f(1.0f, 1.0f, 1.0f);
    sendSprite(rocket.explosionPoint, EXPLOSION_HALF_EDGE);
    glEnd();
    if (transparency) {
        glDisable(GL_BLEND);
    }
    glEnable(GL_LIGHTING);
}
