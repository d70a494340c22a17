#include "app/world_digest.h"

#include "app/frame_state.h"
#include "app/options.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "sound/sound.h"

#include <initializer_list>

namespace {

void add(WorldHash& h, const Vec3& v)
{
    h.add(v.x);
    h.add(v.y);
    h.add(v.z);
}

void add(WorldHash& h, const Vertex& v)
{
    h.add(v.x);
    h.add(v.y);
    h.add(v.z);
    h.add(v.u);
    h.add(v.v);
    h.add(v.w);
}

void addCraft(WorldHash& h)
{
    add(h, camera.position);
    add(h, camera.view);
    add(h, camera.up);
    add(h, camera.side);
    add(h, camera.target);
    h.add(camera.yawAngle);
    h.add(camera.pitchAngle);
    h.add(flightSpeed);
    add(h, flightDirection);
    h.add(lastMouseX);
    h.add(lastMouseY);
    h.add(pendingPointerEchoCount());
}

void addAsteroids(WorldHash& h)
{
    for (const Asteroid& a : asteroids) {
        add(h, a.position);
        add(h, a.direction);
        add(h, a.spinAxis);
        h.add(a.speed);
        h.add(a.spinRate);
        h.add(a.spinAngle);
        h.add(a.index);
    }
}

void addRockets(WorldHash& h)
{
    for (const Rocket& r : rockets) {
        add(h, r.position);
        add(h, r.direction);
        h.add(r.speed);
        h.add(r.state);
        h.add(r.explosionActive);
        add(h, r.explosionPoint);
        h.add(r.explosionFrame);
        h.add(r.explosionTimer);
        h.addBytes(r.trail, sizeof r.trail);
        h.add(r.trailCount);
        h.addBytes(r.trailLife, sizeof r.trailLife);
        h.addBytes(r.trailSpare, sizeof r.trailSpare);
    }
    h.add(rocketCooldown);
}

void addCourse(WorldHash& h)
{
    for (const Gate& g : gates) {
        add(h, g.position);
        h.add(g.active);
        add(h, g.spinAxis);
        h.add(g.spinRate);
        h.add(g.spinAngle);
    }
    h.add(lapStartTime);
    h.add(lastLapTime);
    h.add(bestLapTime);
}

void addFrameAndInputs(WorldHash& h)
{
    h.add(frameElapsedMs);
    h.add(frameStep);
    h.add(lastFrameTime);
    h.add(optionsOverlayTimer);
    for (int v : {thrustInput, rollInput, showFps, wireframe, textureFilter, mipMapping, displayLists,
                  frustumCulling, transparency, faceCulling, showHighScores, showCourseLine, showOctree,
                  radioVolume}) {
        h.add(v);
    }
}

}  // namespace

// Vertex is six floats with no padding, so a trail array is hashed as one block.
static_assert(sizeof(Vertex) == 6 * sizeof(float), "Vertex must have no padding");

void WorldHash::addBytes(const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t k = 0; k < size; ++k) {
        state = (state ^ bytes[k]) * 1099511628211ull;
    }
}

void hashWorld(WorldHash& hash)
{
    addCraft(hash);
    addAsteroids(hash);
    addRockets(hash);
    addCourse(hash);
    addFrameAndInputs(hash);
}

uint64_t worldHash()
{
    WorldHash hash;
    hashWorld(hash);
    return hash.value();
}
