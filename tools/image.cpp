#include "tools/image.h"

#include <algorithm>
#include <cmath>

Color mix(const Color& a, const Color& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color scaled(const Color& c, double s)
{
    return {c.r * s, c.g * s, c.b * s, c.a};
}

Image::Image(int w, int h, Color fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill)
{
}

void Image::blendOver(int x, int y, const Color& c, double alpha)
{
    if (x < 0 || y < 0 || x >= width || y >= height || alpha <= 0.0) {
        return;
    }
    alpha = std::min(1.0, alpha);
    Color& d = at(x, y);
    const double outA = alpha + d.a * (1.0 - alpha);
    if (outA <= 0.0) {
        d = Color{c.r, c.g, c.b, 0.0};
        return;
    }
    const double keep = d.a * (1.0 - alpha);
    d.r = (c.r * alpha + d.r * keep) / outA;
    d.g = (c.g * alpha + d.g * keep) / outA;
    d.b = (c.b * alpha + d.b * keep) / outA;
    d.a = outA;
}

void Image::addLight(int x, int y, const Color& c, double amount)
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    Color& d = at(x, y);
    d.r += c.r * amount;
    d.g += c.g * amount;
    d.b += c.b * amount;
}

uint8_t toByte(double value, double dither)
{
    const double v = std::floor(value * 255.0 + 0.5 + dither);
    return static_cast<uint8_t>(std::min(255.0, std::max(0.0, v)));
}

double ditherAt(int x, int y)
{
    // 4x4 Bayer matrix.
    static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (BAYER[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}
