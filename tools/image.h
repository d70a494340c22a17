// A floating-point RGBA picture that the texture painters draw into. Row 0 is
// the bottom row, as in the files and in texture coordinates: pixel (x, y)
// covers texture coordinates around ((x + 0.5) / width, (y + 0.5) / height).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Color {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

Color mix(const Color& a, const Color& b, double t);
Color scaled(const Color& c, double s);  // scales r, g, b; keeps a

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;

    Image() = default;
    Image(int w, int h, Color fill);

    Color& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Color& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Paints c over the pixel with coverage `alpha` (0..1), "over" compositing.
    void blendOver(int x, int y, const Color& c, double alpha);
    // Adds light: r, g, b scaled by `amount`; alpha untouched.
    void addLight(int x, int y, const Color& c, double amount);
};

// One 8-bit channel from 0..1, with an offset in -0.5..0.5 (dither) before
// rounding; the result is clamped to 0..255.
uint8_t toByte(double value, double dither);

// A deterministic ordered-dither offset for a pixel, in -0.5..0.5.
double ditherAt(int x, int y);
