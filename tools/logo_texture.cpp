// The title: "VOREL" in leaning chrome letters with a dark outline and a blue
// glow, on a transparent ground.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/stroke_font.h"

#include <cmath>

namespace {

constexpr int WIDTH = 512;
constexpr int HEIGHT = 128;
constexpr double CAP_HEIGHT = 76.0;
constexpr double HALF_STROKE = 7.0;
constexpr double OUTLINE = 3.0;
constexpr double SLANT = 0.22;

}  // namespace

Color chromeShade(double h)
{
    // h: 0 at the baseline, 1 at the cap line. Sky above a hard horizon, warm
    // ground below: the classic polished-metal look.
    if (h > 0.48) {
        const double t = (h - 0.48) / 0.52;
        return mix(Color{0.25, 0.36, 0.62, 1.0}, Color{0.92, 0.96, 1.0, 1.0}, std::pow(t, 0.7));
    }
    const double t = h / 0.48;
    return mix(Color{1.0, 0.86, 0.52, 1.0}, Color{0.80, 0.36, 0.12, 1.0}, std::pow(t, 1.3));
}

Image paintLogo()
{
    Image image(WIDTH, HEIGHT, Color{0.10, 0.45, 1.0, 0.0});
    const double width = textWidth("VOREL", CAP_HEIGHT) + SLANT * CAP_HEIGHT;
    const double left = (WIDTH - width) * 0.5;
    const double baseline = (HEIGHT - CAP_HEIGHT) * 0.5;
    const std::vector<Segment> strokes = layoutText("VOREL", left, baseline, CAP_HEIGHT, SLANT);

    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d = strokeDistance(strokes, px, py);
            const double fill = clamp01(HALF_STROKE - d + 0.5);
            const double outline = clamp01(HALF_STROKE + OUTLINE - d + 0.5);
            const double glow = 0.55 * std::exp(-(d - HALF_STROKE) / 7.0);

            Color c = {0.10, 0.45, 1.0, 0.0};
            image.blendOver(x, y, c, std::min(1.0, glow));
            image.blendOver(x, y, Color{0.03, 0.04, 0.10, 1.0}, outline);
            const double h = (py - baseline) / CAP_HEIGHT;
            Color metal = chromeShade(h);
            // A thin highlight along each stroke's centre.
            metal = mix(metal, Color{1.0, 1.0, 1.0, 1.0}, 0.25 * clamp01(1.0 - d / 2.0));
            image.blendOver(x, y, metal, fill);
        }
    }
    return image;
}
