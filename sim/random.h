// The game's one random generator. Its sequence is part of the game: the same
// seed gives the same asteroid field on every platform, so it must not be the
// C library's rand(), whose algorithm and range vary. The world owns it, so a
// copy of the world draws the same numbers as the original.
#pragma once
#include <cstdint>

constexpr int RANDOM_MAX = 32767;

struct Random {
    uint32_t state = 1;

    // Sets the 32-bit state to the seed.
    void seed(uint32_t value) { state = value; }
    // Advances the state (× 214013 + 2531011 modulo 2^32) and returns bits 16
    // to 30: an integer from 0 to 32767.
    int next();
    // One draw scaled to [0, 1]: next() / 32767 in double precision.
    double unit();
};
