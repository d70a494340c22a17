#include "render/effects.h"

#include "render/effect_timing.h"
#include "render/sprite.h"
#include "render/texture_table.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "sim/world_state.h"

#include <GL/gl.h>

void drawSmokeTrail(int rocketIndex)
{
    const Rocket& rocket = rockets[rocketIndex];
    bindTexture(TEX_SMOKE);
    // Parked particles far outside the arena are sent like the others; the
    // far plane clips them.
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        const Vertex& particle = rocket.trail[i];
        if (!smokeParticleShown(particle, camera.position)) {
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
        sendSprite(particle, SMOKE_HALF_EDGE);
        glEnd();
        if (transparency) {
            glDisable(GL_BLEND);
        }
        glEnable(GL_LIGHTING);
    }
}
