#include "replay/world_digest.h"

#include "sim/world.h"

#include <cstddef>

namespace {

void add(WorldHash& h, float v) { h.add(v); }
void add(WorldHash& h, int v) { h.add(v); }

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

void add(WorldHash& h, const Asteroid& record);
void add(WorldHash& h, const Rocket& record);
void add(WorldHash& h, const Gate& record);

template <class T, size_t N>
void add(WorldHash& h, const T (&values)[N])
{
    for (const T& v : values) {
        add(h, v);
    }
}

// Each record's table in its order, after the head's position where it has one.
#define VOREL_HASH_FIELD(type, name, start) add(h, record.name);

void add(WorldHash& h, const Camera& record)
{
    VOREL_CAMERA_FIELDS(VOREL_HASH_FIELD)
}

void add(WorldHash& h, const Asteroid& record)
{
    add(h, record.position);
    VOREL_ASTEROID_FIELDS(VOREL_HASH_FIELD)
}

void add(WorldHash& h, const Rocket& record)
{
    add(h, record.position);
    VOREL_ROCKET_FIELDS(VOREL_HASH_FIELD)
}

void add(WorldHash& h, const Gate& record)
{
    add(h, record.position);
    VOREL_GATE_FIELDS(VOREL_HASH_FIELD)
}

#undef VOREL_HASH_FIELD

}  // namespace

void WorldHash::addBytes(const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t k = 0; k < size; ++k) {
        state = (state ^ bytes[k]) * 1099511628211ull;
    }
}

// The simulation's own values only: what the player sees and sets around it
// (pointer reference, held inputs, display switches, panels, radio volume)
// can change without changing a frame of the race.
void hashWorld(WorldHash& h, const World& world)
{
    add(h, world.camera);
    add(h, world.flightSpeed);
    add(h, world.flightDirection);
    add(h, world.asteroids);
    add(h, world.rockets);
    add(h, world.rocketCooldown);
    add(h, world.gates);
    add(h, world.lapStartTime);
    add(h, world.lastLapTime);
    add(h, world.bestLapTime);
    add(h, world.frameElapsedMs);
    add(h, world.frameStep);
    add(h, world.lastFrameTime);
}

uint64_t worldHash(const World& world)
{
    WorldHash hash;
    hashWorld(hash, world);
    return hash.value();
}
