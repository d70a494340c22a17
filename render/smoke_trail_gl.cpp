#include "render/effects.h"

#include "render/effect_timing.h"
#include "render/sprite.h"
#include "render/texture_table.h"
#include "sim/camera.h"
#include "sim/rocket.h"

#include <GL/gl.h>

void drawSmokeTrail(const Rocket& rocket, const Camera& eye, bool transparency)
{
    bindTexture(TEX_SMOKE);
    // While blended, depth tested but not written, as the explosion: clear
    // corners must not cut squares out of the particles behind them. Opaque
    // squares (transparency off) keep writing it.
    if (transparency) {
        glDepthMask(GL_FALSE);
    }
    // Parked particles far outside the arena are sent like the others; the
    // far plane clips them.
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        const Vertex& particle = rocket.trail[i];
        if (!smokeParticleShown(particle, eye.position)) {
            continue;
        }
        glDisable(GL_LIGHTING);
        if (transparency) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
        }
        const float life = rocket.trailLife[i];
        glColor4f(1.0f, 1.0f, 1.0f, life);
        glBegin(GL_POLYGON);
        glColor4f(1.0f, 1.0f, 1.0f, life);
        sendSprite(particle, SMOKE_HALF_EDGE, eye);
        glEnd();
        if (transparency) {
            glDisable(GL_BLEND);
        }
        glEnable(GL_LIGHTING);
    }
    glDepthMask(GL_TRUE);
}
