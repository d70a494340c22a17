// Deterministic lattice noise. Everything is derived from integer hashes of
// the lattice points and a seed, so a given seed gives the same field on
// every run. The 2D variants repeat with a given period, which makes the
// textures tile without a seam.
#pragma once

#include <cstdint>

// A private stream of random numbers from a fixed seed (xorshift). Each
// painter and instrument owns its own, so they can run on separate threads.
struct Dice {
    uint32_t state;
    explicit Dice(uint32_t seed) : state(seed * 2654435761u + 1u) {}
    double unit();     // in [0, 1]
    double centred();  // in [-1, 1]: white noise
};

uint32_t hash32(uint32_t value);
uint32_t hashLattice(int x, int y, int z, uint32_t seed);
// Uniform in [0, 1) from a lattice hash.
double hashUnit(int x, int y, int z, uint32_t seed);

// Gradient noise in about [-1, 1], repeating every `period` lattice cells in x and y.
double tiledNoise(double x, double y, int period, uint32_t seed);
// Sum of octaves of tiledNoise; each octave doubles the frequency and the period,
// so the sum repeats with the base period. Normalised to about [-1, 1].
double tiledFbm(double x, double y, int period, int octaves, uint32_t seed);
// 1 - |noise| folded into sharp ridges, summed like tiledFbm; in [0, 1].
double tiledRidged(double x, double y, int period, int octaves, uint32_t seed);
// Distance to the nearest of the jittered cell points (one per cell), repeating
// every `period` cells; about 0 at a point, up to about 1 between them.
double tiledCells(double x, double y, int period, uint32_t seed);

// The nearest of jittered points, one per unit cell of space: its distance
// and an id that stays the same across the cell's area of influence.
struct CellHit {
    double distance;
    uint32_t id;
};
CellHit cells3(double x, double y, double z, uint32_t seed);

// Gradient noise in 3D, about [-1, 1], not periodic.
double noise3(double x, double y, double z, uint32_t seed);
double fbm3(double x, double y, double z, int octaves, uint32_t seed);
