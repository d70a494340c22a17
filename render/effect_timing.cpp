#include "render/effect_timing.h"


bool smokeParticleShown(const Vertex& particle, const Vec3& eye)
{
    const Vec3 d{particle.x - eye.x, particle.y - eye.y, particle.z - eye.z};
    return d.length() > SMOKE_NEAR_LIMIT;
}
