// The star field. The same picture covers all six faces of the star box, so
// its border is plain sky: wherever two faces meet, their edges match. The
// nebula fades out towards the border and the stars keep off it.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int SIZE = 1024;
constexpr int STAR_COUNT = 5200;
constexpr int MARGIN = 4;  // texels kept clear of stars at the border
constexpr uint32_t SEED = 1024;

// Whole byte values, so that the dither leaves the border plain.
const Color SKY = {2.0 / 255.0, 2.0 / 255.0, 4.0 / 255.0, 1.0};

// Star colours from hot to cool, with how often each occurs.
struct StarKind {
    Color color;
    double weight;
};
const StarKind STAR_KINDS[] = {
    {{0.70, 0.80, 1.00, 1.0}, 0.20},
    {{0.86, 0.90, 1.00, 1.0}, 0.25},
    {{1.00, 1.00, 1.00, 1.0}, 0.25},
    {{1.00, 0.94, 0.80, 1.0}, 0.18},
    {{1.00, 0.80, 0.60, 1.0}, 0.12},
};

Color pickStarColor(double u)
{
    for (const StarKind& k : STAR_KINDS) {
        if (u < k.weight) {
            return k.color;
        }
        u -= k.weight;
    }
    return STAR_KINDS[2].color;
}

Color nebulaAt(double s, double t)
{
    // Domain warp gives the clouds their wisps.
    const double wx = tiledFbm(s * 3.0, t * 3.0, 3, 4, SEED + 1);
    const double wy = tiledFbm(s * 3.0 + 5.2, t * 3.0 + 1.3, 3, 4, SEED + 2);
    const double n = tiledFbm(s * 4.0 + wx * 0.9, t * 4.0 + wy * 0.9, 4, 6, SEED + 3);
    const double hue = tiledFbm(s * 2.0, t * 2.0, 2, 3, SEED + 4);
    const double window = std::pow(std::sin(PI * s) * std::sin(PI * t), 0.8);
    const double density = smoothstep(-0.05, 0.55, n) * window;
    const double dust = smoothstep(0.15, 0.5, tiledFbm(s * 6.0, t * 6.0, 6, 5, SEED + 5)) * window;
    const Color violet = {0.30, 0.10, 0.42, 1.0};
    const Color teal = {0.06, 0.26, 0.36, 1.0};
    const Color rose = {0.42, 0.12, 0.16, 1.0};
    Color cloud = mix(violet, teal, smoothstep(-0.3, 0.3, hue));
    cloud = mix(cloud, rose, smoothstep(0.25, 0.6, n) * 0.5);
    const double strength = 0.50 * density * density * (1.0 - 0.6 * dust);
    return {SKY.r + cloud.r * strength, SKY.g + cloud.g * strength, SKY.b + cloud.b * strength, 1.0};
}

// The clouds are soft: work them out on a grid of half the resolution and
// interpolate.
void paintNebula(Image& image)
{
    const int coarse = SIZE / 2;
    std::vector<Color> grid(static_cast<size_t>(coarse + 1) * (coarse + 1));
    for (int j = 0; j <= coarse; ++j) {
        for (int i = 0; i <= coarse; ++i) {
            grid[static_cast<size_t>(j) * (coarse + 1) + i] = nebulaAt(double(i) / coarse, double(j) / coarse);
        }
    }
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const double gx = (x + 0.5) * coarse / SIZE;
            const double gy = (y + 0.5) * coarse / SIZE;
            const int i = std::min(coarse - 1, static_cast<int>(gx));
            const int j = std::min(coarse - 1, static_cast<int>(gy));
            const double fx = gx - i;
            const double fy = gy - j;
            auto at = [&](int a, int b) { return grid[static_cast<size_t>(b) * (coarse + 1) + a]; };
            image.at(x, y) = mix(mix(at(i, j), at(i + 1, j), fx), mix(at(i, j + 1), at(i + 1, j + 1), fx), fy);
        }
    }
}

void paintStar(Image& image, double cx, double cy, double brightness, const Color& color)
{
    const double sigma = 0.42 + 0.55 * brightness;
    const int reach = static_cast<int>(std::ceil(sigma * 3.0)) + (brightness > 0.75 ? 5 : 0);
    const int ix = static_cast<int>(cx);
    const int iy = static_cast<int>(cy);
    for (int y = iy - reach; y <= iy + reach; ++y) {
        for (int x = ix - reach; x <= ix + reach; ++x) {
            if (x < 1 || y < 1 || x >= SIZE - 1 || y >= SIZE - 1) {
                continue;
            }
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d2 = dx * dx + dy * dy;
            double light = brightness * std::exp(-d2 / (2.0 * sigma * sigma));
            if (brightness > 0.75) {
                // A faint halo and short spikes on the brightest few.
                light += 0.08 * brightness * std::exp(-std::sqrt(d2) / 2.2);
                const double spike = std::exp(-std::fabs(dx) * 1.6) + std::exp(-std::fabs(dy) * 1.6);
                light += 0.10 * brightness * spike * std::exp(-std::sqrt(d2) / 3.5);
            }
            image.addLight(x, y, color, light);
        }
    }
}

}  // namespace

Image paintStars()
{
    Image image(SIZE, SIZE, SKY);
    paintNebula(image);

    Dice dice(SEED);
    for (int i = 0; i < STAR_COUNT; ++i) {
        const double x = MARGIN + dice.unit() * (SIZE - 2 * MARGIN);
        const double y = MARGIN + dice.unit() * (SIZE - 2 * MARGIN);
        const double u = dice.unit();
        // Mostly faint stars, a few bright ones.
        const double brightness = 0.10 + 0.90 * std::pow(u, 7.0);
        paintStar(image, x, y, brightness, pickStarColor(dice.unit()));
    }
    // Keep the border exactly plain sky: edges of neighbouring faces meet here.
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            if (x < 2 || y < 2 || x >= SIZE - 2 || y >= SIZE - 2) {
                image.at(x, y) = SKY;
            }
        }
    }
    return image;
}
