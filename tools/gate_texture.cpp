// Metal panels for the gates. The game draws a gate with the single texture
// coordinate (0, 1), which samples the four corner texels: they are white so
// that the gate shows its own green or red; the panels show only here and in
// the contact sheet.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"

#include <cmath>

namespace {

constexpr int SIZE = 256;
constexpr int PANELS = 4;
constexpr int TRIM = 3;  // white edge trim, texels
constexpr uint32_t SEED = 777;

}  // namespace

Image paintGatePanels()
{
    Image image(SIZE, SIZE, Color{});
    const int panel = SIZE / PANELS;
    const Color steel = {0.70, 0.72, 0.76, 1.0};
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int px = x / panel;
            const int py = y / panel;
            const int lx = x % panel;
            const int ly = y % panel;
            // Each panel a slightly different sheet, brushed along its length.
            const bool across = ((px + py) & 1) != 0;
            const double brushU = across ? y : x;
            const double brushV = across ? x : y;
            const double brush = tiledNoise(brushU / 64.0, brushV / 1.5, SIZE / 64, SEED + px * 7 + py);
            const double sheet = hashUnit(px, py, 0, SEED);
            double v = 0.92 + 0.10 * (sheet - 0.5) + 0.05 * brush;
            v += 0.04 * tiledFbm(x / 64.0, y / 64.0, SIZE / 64, 3, SEED + 99);

            // Seams: a dark groove with a bright lip below and right of it.
            const int edge = std::min(std::min(lx, panel - 1 - lx), std::min(ly, panel - 1 - ly));
            if (edge == 0) {
                v *= 0.55;
            } else if (edge == 1) {
                v *= (lx == 1 || ly == panel - 2) ? 0.75 : 1.12;
            }
            // Rivets near the panel corners.
            const double rx = std::min(lx, panel - 1 - lx) - 5.0;
            const double ry = std::min(ly, panel - 1 - ly) - 5.0;
            const double rd = std::sqrt(rx * rx + ry * ry);
            if (rd < 2.2) {
                v *= 1.0 + 0.18 * (ry > 0 ? -1.0 : 1.0) * (1.0 - rd / 2.2) - 0.10;
            }
            image.at(x, y) = {steel.r * v, steel.g * v, steel.b * v, 1.0};
        }
    }
    // White trim along the picture's border, pure white at the corners.
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int edge = std::min(std::min(x, SIZE - 1 - x), std::min(y, SIZE - 1 - y));
            if (edge < TRIM) {
                const double w = 0.96 + 0.04 * (TRIM - 1 - edge) / (TRIM - 1.0);
                image.at(x, y) = {w, w, w, 1.0};
            }
        }
    }
    return image;
}
