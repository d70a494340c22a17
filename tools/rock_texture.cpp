// Rock surface for the asteroids, painted onto the sphere itself: each texel
// is the point of the unit sphere that the asteroid's texture coordinates put
// there (longitude across, once around; latitude up, pole to pole), and every
// feature is a solid noise of that point. So the picture joins itself where
// the longitude wraps, and along the top and bottom rows, which each map to a
// single pole, it does not vary: no seam and no pinch at the poles.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"

#include <cmath>

namespace {

// Twice as wide as high: once around the equator is twice pole to pole, so
// texels stay square there.
constexpr int WIDTH = 1024;
constexpr int HEIGHT = 512;
constexpr uint32_t SEED = 4242;

V3 spherePoint(double s, double t)
{
    const double longitude = 2.0 * PI * s - PI;
    const double polar = PI * t;
    const double ring = std::sin(polar);
    return {ring * std::cos(longitude), -std::cos(polar), ring * std::sin(longitude)};
}

// Darkening (below 1) and rim light (above 1) of the pits around a point.
double pits(V3 p, double scale, double chance, uint32_t seed)
{
    const CellHit hit = cells3(p.x * scale, p.y * scale, p.z * scale, seed);
    if ((hit.id & 1023u) / 1024.0 > chance) {
        return 1.0;
    }
    const double size = 0.18 + 0.22 * ((hit.id >> 10) & 1023u) / 1024.0;
    const double d = hit.distance;
    double shade = 1.0 - 0.50 * (1.0 - smoothstep(size * 0.35, size, d));
    shade *= 1.0 + 0.25 * smoothstep(size * 0.8, size, d) * (1.0 - smoothstep(size, size * 1.4, d));
    return shade;
}

}  // namespace

Image paintRock()
{
    Image image(WIDTH, HEIGHT, Color{});
    const Color dark = {0.25, 0.22, 0.20, 1.0};
    const Color light = {0.64, 0.59, 0.52, 1.0};
    const Color rust = {0.56, 0.41, 0.30, 1.0};
    const Color ash = {0.47, 0.47, 0.48, 1.0};
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const V3 p = spherePoint((x + 0.5) / WIDTH, (y + 0.5) / HEIGHT);
            const double body = fbm3(p.x * 2.2, p.y * 2.2, p.z * 2.2, 6, SEED);
            const double tint = fbm3(p.x * 1.2 + 4.0, p.y * 1.2, p.z * 1.2, 3, SEED + 1);
            const double grain = noise3(p.x * 40.0, p.y * 40.0, p.z * 40.0, SEED + 2);
            double ridge = 0.0;
            double amplitude = 0.5;
            for (int o = 0; o < 3; ++o) {
                const double f = 3.0 * (1 << o);
                ridge += amplitude * (1.0 - std::fabs(noise3(p.x * f, p.y * f + 9.0, p.z * f, SEED + 3 + o)));
                amplitude *= 0.5;
            }
            ridge /= 0.875;

            Color c = mix(dark, light, smoothstep(-0.45, 0.45, body));
            c = mix(c, rust, smoothstep(0.0, 0.4, tint) * 0.55);
            c = mix(c, ash, smoothstep(0.0, 0.4, -tint) * 0.45);

            double shade = pits(p, 4.0, 0.5, SEED + 10) * pits(p, 9.0, 0.5, SEED + 11) * pits(p, 20.0, 0.35, SEED + 12);
            shade *= 1.0 - 0.40 * smoothstep(0.90, 0.98, ridge);  // thin fissures
            shade *= 0.92 + 0.08 * grain;
            image.at(x, y) = {c.r * shade, c.g * shade, c.b * shade, 1.0};
        }
    }
    return image;
}
