// The desktop icon: a leaning chrome "V" as in the title, flying through a
// lit gate ring, on a rounded tile of deep space with a few stars. Painted
// from sizes relative to the tile, so every icon size is drawn sharp rather
// than scaled from another.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"
#include "tools/stroke_font.h"

#include <cmath>

namespace {

constexpr uint32_t STAR_SEED = 4242;
constexpr int STAR_COUNT = 28;
constexpr double CORNER = 0.2;  // tile corner radius, share of the size

// Signed distance to a rounded square filling the unit tile, in tile units.
double tileDistance(double u, double v)
{
    const double half = 0.5 - CORNER;
    const double dx = std::max(std::fabs(u - 0.5) - half, 0.0);
    const double dy = std::max(std::fabs(v - 0.5) - half, 0.0);
    return std::sqrt(dx * dx + dy * dy) - CORNER;
}

}  // namespace

Image paintIcon(int size)
{
    Image image(size, size, Color{0.02, 0.03, 0.08, 0.0});
    const double s = size;
    const double capHeight = 0.56 * s;
    const double slant = 0.22;
    const double halfStroke = 0.075 * s;
    const double outline = 0.03 * s;
    const double left = (s - textWidth("V", capHeight) - slant * capHeight) * 0.5;
    const double baseline = 0.22 * s;
    const std::vector<Segment> strokes = layoutText("V", left, baseline, capHeight, slant);

    struct Star {
        double x, y, radius, light;
    };
    std::vector<Star> stars;
    Dice dice(STAR_SEED);
    for (int i = 0; i < STAR_COUNT; ++i) {
        const double x = dice.unit();
        const double y = dice.unit();
        const double radius = 0.004 + 0.01 * dice.unit() * dice.unit();
        stars.push_back({x, y, radius, 0.4 + 0.6 * dice.unit()});
    }

    // The gate: an ellipse, a ring seen from slightly above, lit green as the
    // active gate is in the game.
    const double ringX = 0.5;
    const double ringY = 0.47;
    const double ringA = 0.36;
    const double ringB = 0.15;
    const double ringHalf = 0.028;
    const Color gateGreen = {0.20, 1.0, 0.35, 1.0};

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = (x + 0.5) / s;
            const double v = (y + 0.5) / s;
            const double tile = clamp01(0.5 - tileDistance(u, v) * s);
            if (tile <= 0.0) {
                continue;
            }
            // Space: a deep blue glow toward the upper left, black below.
            const double glow = clamp01(1.0 - std::hypot(u - 0.3, v - 0.75) * 1.3);
            Color c = mix(Color{0.01, 0.01, 0.04, 1.0}, Color{0.10, 0.18, 0.45, 1.0}, glow * glow);
            for (const Star& star : stars) {
                const double d = std::hypot(u - star.x, v - star.y) / star.radius;
                c = mix(c, Color{0.85, 0.9, 1.0, 1.0}, star.light * clamp01(1.0 - d));
            }

            // Ring distance in tile units, from the ellipse's normalised radius.
            const double ex = (u - ringX) / ringA;
            const double ey = (v - ringY) / ringB;
            const double ringDistance = std::fabs(std::hypot(ex, ey) - 1.0) * ringB;
            const bool ringBehind = v > ringY;  // the upper half passes behind the letter
            const double ringCover = clamp01((ringHalf - ringDistance) * s + 0.5);
            const double ringGlow = 0.6 * std::exp(-std::max(0.0, ringDistance - ringHalf) * s / (0.04 * s));
            const Color ringColor = mix(gateGreen, Color{0.85, 1.0, 0.9, 1.0},
                                        0.5 * clamp01(1.0 - ringDistance / ringHalf));
            auto paintRing = [&]() {
                c = mix(c, scaled(gateGreen, 0.8), std::min(1.0, ringGlow) * 0.5);
                c = mix(c, ringColor, ringCover);
            };
            if (ringBehind) {
                paintRing();
            }

            // The letter, as in the title: blue glow, dark outline, chrome.
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d = strokeDistance(strokes, px, py);
            const double letterGlow = 0.55 * std::exp(-(d - halfStroke) / (0.06 * s));
            c = mix(c, Color{0.10, 0.45, 1.0, 1.0}, std::min(1.0, letterGlow));
            c = mix(c, Color{0.03, 0.04, 0.10, 1.0}, clamp01(halfStroke + outline - d + 0.5));
            const double fill = clamp01(halfStroke - d + 0.5);
            if (fill > 0.0) {
                Color metal = chromeShade(clamp01((py - baseline) / capHeight));
                metal = mix(metal, Color{1.0, 1.0, 1.0, 1.0}, 0.25 * clamp01(1.0 - d / (0.3 * halfStroke)));
                c = mix(c, metal, fill);
            }

            if (!ringBehind) {
                paintRing();
            }
            c.a = tile;
            image.at(x, y) = c;
        }
    }
    return image;
}
