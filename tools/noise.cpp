#include "tools/noise.h"

#include <cmath>

namespace {

int wrap(int v, int period)
{
    const int r = v % period;
    return r < 0 ? r + period : r;
}

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// One of 16 unit directions around the circle.
struct Directions {
    double x[16];
    double y[16];
    Directions()
    {
        for (int i = 0; i < 16; ++i) {
            const double angle = i * (3.14159265358979323846 / 8.0);
            x[i] = std::cos(angle);
            y[i] = std::sin(angle);
        }
    }
};
const Directions DIRECTIONS;

double grad2(uint32_t h, double dx, double dy)
{
    return DIRECTIONS.x[h & 15u] * dx + DIRECTIONS.y[h & 15u] * dy;
}

// One of the 12 cube-edge directions.
double grad3(uint32_t h, double dx, double dy, double dz)
{
    switch (h % 12u) {
    case 0: return dx + dy;
    case 1: return -dx + dy;
    case 2: return dx - dy;
    case 3: return -dx - dy;
    case 4: return dx + dz;
    case 5: return -dx + dz;
    case 6: return dx - dz;
    case 7: return -dx - dz;
    case 8: return dy + dz;
    case 9: return -dy + dz;
    case 10: return dy - dz;
    default: return -dy - dz;
    }
}

}  // namespace

double Dice::unit()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 4294967295.0;
}

double Dice::centred()
{
    return unit() * 2.0 - 1.0;
}

uint32_t hash32(uint32_t value)
{
    value ^= value >> 16;
    value *= 0x7feb352du;
    value ^= value >> 15;
    value *= 0x846ca68bu;
    value ^= value >> 16;
    return value;
}

uint32_t hashLattice(int x, int y, int z, uint32_t seed)
{
    const uint32_t mixed = seed * 0x9e3779b9u ^ static_cast<uint32_t>(x) * 0x85ebca6bu ^
                           static_cast<uint32_t>(y) * 0xc2b2ae35u ^ static_cast<uint32_t>(z) * 0x27d4eb2fu;
    return hash32(hash32(mixed) + seed);
}

double hashUnit(int x, int y, int z, uint32_t seed)
{
    return static_cast<double>(hashLattice(x, y, z, seed) >> 8) / 16777216.0;
}

double tiledNoise(double x, double y, int period, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    const int x0 = wrap(ix, period);
    const int x1 = wrap(ix + 1, period);
    const int y0 = wrap(iy, period);
    const int y1 = wrap(iy + 1, period);
    const double n00 = grad2(hashLattice(x0, y0, 0, seed), dx, dy);
    const double n10 = grad2(hashLattice(x1, y0, 0, seed), dx - 1.0, dy);
    const double n01 = grad2(hashLattice(x0, y1, 0, seed), dx, dy - 1.0);
    const double n11 = grad2(hashLattice(x1, y1, 0, seed), dx - 1.0, dy - 1.0);
    const double u = fade(dx);
    const double v = fade(dy);
    const double a = n00 + (n10 - n00) * u;
    const double b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.41421356;
}

double tiledFbm(double x, double y, int period, int octaves, uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * tiledNoise(x, y, period, seed + static_cast<uint32_t>(o) * 101u);
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

double tiledRidged(double x, double y, int period, int octaves, uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        const double n = 1.0 - std::fabs(tiledNoise(x, y, period, seed + static_cast<uint32_t>(o) * 131u));
        sum += amplitude * n * n;
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

double tiledCells(double x, double y, int period, uint32_t seed)
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    double best = 8.0;
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            const int cx = ix + ox;
            const int cy = iy + oy;
            const int wx = wrap(cx, period);
            const int wy = wrap(cy, period);
            const double px = cx + hashUnit(wx, wy, 1, seed);
            const double py = cy + hashUnit(wx, wy, 2, seed);
            const double d = (px - x) * (px - x) + (py - y) * (py - y);
            if (d < best) {
                best = d;
            }
        }
    }
    return std::sqrt(best);
}

CellHit cells3(double x, double y, double z, uint32_t seed)
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const int iz = static_cast<int>(std::floor(z));
    CellHit best = {8.0, 0};
    double bestSquared = 64.0;
    for (int oz = -1; oz <= 1; ++oz) {
        for (int oy = -1; oy <= 1; ++oy) {
            for (int ox = -1; ox <= 1; ++ox) {
                const uint32_t h = hashLattice(ix + ox, iy + oy, iz + oz, seed);
                const double px = ix + ox + (h & 1023u) / 1024.0;
                const double py = iy + oy + ((h >> 10) & 1023u) / 1024.0;
                const double pz = iz + oz + ((h >> 20) & 1023u) / 1024.0;
                const double d = (px - x) * (px - x) + (py - y) * (py - y) + (pz - z) * (pz - z);
                if (d < bestSquared) {
                    bestSquared = d;
                    best.id = hash32(h);
                }
            }
        }
    }
    best.distance = std::sqrt(bestSquared);
    return best;
}

double noise3(double x, double y, double z, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const double fz = std::floor(z);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const int iz = static_cast<int>(fz);
    const double dx = x - fx;
    const double dy = y - fy;
    const double dz = z - fz;
    double corner[8];
    for (int c = 0; c < 8; ++c) {
        const int cx = c & 1;
        const int cy = (c >> 1) & 1;
        const int cz = (c >> 2) & 1;
        corner[c] = grad3(hashLattice(ix + cx, iy + cy, iz + cz, seed), dx - cx, dy - cy, dz - cz);
    }
    const double u = fade(dx);
    const double v = fade(dy);
    const double w = fade(dz);
    const double x00 = corner[0] + (corner[1] - corner[0]) * u;
    const double x10 = corner[2] + (corner[3] - corner[2]) * u;
    const double x01 = corner[4] + (corner[5] - corner[4]) * u;
    const double x11 = corner[6] + (corner[7] - corner[6]) * u;
    const double y0 = x00 + (x10 - x00) * v;
    const double y1 = x01 + (x11 - x01) * v;
    return y0 + (y1 - y0) * w;
}

double fbm3(double x, double y, double z, int octaves, uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * noise3(x, y, z, seed + static_cast<uint32_t>(o) * 977u);
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        z *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}
