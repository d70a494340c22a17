// Rock surface for the asteroids. Every noise here repeats with the picture,
// so the texture tiles in both directions and the model's wrap-around shows
// no seam.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"

#include <cmath>

namespace {

constexpr int SIZE = 512;
constexpr uint32_t SEED = 4242;

}  // namespace

Image paintRock()
{
    Image image(SIZE, SIZE, Color{});
    const Color dark = {0.24, 0.21, 0.19, 1.0};
    const Color light = {0.63, 0.58, 0.51, 1.0};
    const Color rust = {0.55, 0.40, 0.29, 1.0};
    const Color ash = {0.46, 0.46, 0.47, 1.0};
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const double s = (x + 0.5) / SIZE;
            const double t = (y + 0.5) / SIZE;
            const double body = tiledFbm(s * 6.0, t * 6.0, 6, 6, SEED);
            const double grain = tiledFbm(s * 48.0, t * 48.0, 48, 2, SEED + 1);
            const double tint = tiledFbm(s * 3.0, t * 3.0, 3, 3, SEED + 2);
            const double cracks = tiledRidged(s * 5.0, t * 5.0, 5, 4, SEED + 3);

            Color c = mix(dark, light, smoothstep(-0.55, 0.55, body));
            c = mix(c, rust, smoothstep(0.05, 0.5, tint) * 0.55);
            c = mix(c, ash, smoothstep(0.05, 0.5, -tint) * 0.45);

            // Pits of two sizes: dark floors and a lighter, sunlit-looking rim.
            double shade = 1.0;
            const double pitScales[2][2] = {{7.0, 0.32}, {16.0, 0.26}};
            for (int k = 0; k < 2; ++k) {
                const double scale = pitScales[k][0];
                const double d = tiledCells(s * scale, t * scale, static_cast<int>(scale), SEED + 10 + k);
                const double size = pitScales[k][1];
                shade *= 1.0 - 0.45 * (1.0 - smoothstep(size * 0.45, size, d));
                shade *= 1.0 + 0.22 * smoothstep(size * 0.75, size, d) * (1.0 - smoothstep(size, size * 1.35, d));
            }
            // Thin dark fissures.
            shade *= 1.0 - 0.45 * smoothstep(0.86, 0.97, cracks);
            shade *= 0.92 + 0.16 * (grain * 0.5 + 0.5);

            image.at(x, y) = {c.r * shade, c.g * shade, c.b * shade, 1.0};
        }
    }
    return image;
}
