// A fingerprint of the whole simulated world, so that two runs can be
// compared frame by frame without storing the world.
#pragma once

#include <cstddef>
#include <cstdint>

// 64-bit FNV-1a over values fed one by one (their bytes, never padding).
class WorldHash {
public:
    void addBytes(const void* data, size_t size);
    void add(double v) { addBytes(&v, sizeof v); }
    void add(float v) { addBytes(&v, sizeof v); }
    void add(int v) { addBytes(&v, sizeof v); }
    void add(uint64_t v) { addBytes(&v, sizeof v); }
    uint64_t value() const { return state; }

private:
    uint64_t state = 14695981039346656037ull;
};

// Everything the simulation owns: camera and flight, every asteroid, rocket
// (with its explosion and trail) and gate, the launch cooldown, lap times and
// frame timing. Loaded model geometry is not included, nor anything of the
// player's side (pointer, held inputs, display switches, radio volume).
struct World;
void hashWorld(WorldHash& hash, const World& world);
uint64_t worldHash(const World& world);
