#include "render/effect_timing.h"

#include "render/texture_table.h"
#include "sim/rocket.h"

int advanceExplosion(Rocket& rocket, float elapsedMs)
{
    rocket.explosionTimer += elapsedMs;
    const int shown = rocket.explosionFrame;
    if (rocket.explosionTimer >= EXPLOSION_FRAME_MS) {
        rocket.explosionFrame += 1;
        rocket.explosionTimer = 0.0f;
    }
    if (rocket.explosionFrame >= TEX_EXPLOSION_END) {
        rocket.explosionFrame = TEX_EXPLOSION_FIRST;
        rocket.explosionActive = 0;
    }
    return shown;
}

bool smokeParticleShown(const Vertex& particle, const Vec3& eye)
{
    const Vec3 d{particle.x - eye.x, particle.y - eye.y, particle.z - eye.z};
    return d.length() > SMOKE_NEAR_LIMIT;
}
