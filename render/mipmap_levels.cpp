#include "render/mipmap_levels.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace {

std::size_t pixelBytes(int width, int height, int bytesPerPixel)
{
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
           static_cast<std::size_t>(bytesPerPixel);
}

// Where the output pixel at an index along one side reaches in the input,
// from low to high: the width of one output pixel when the side shrinks, one
// input pixel when it grows.
void footprint(float conv, bool shrinking, int index, float& low, float& high)
{
    const float centre = static_cast<float>(conv * (index + 0.5));
    if (shrinking) {
        const float half = conv / 2;
        high = centre + half;
        low = centre - half;
    } else {
        high = static_cast<float>(centre + 0.5);
        low = static_cast<float>(centre - 0.5);
    }
}

// How much of the input pixel whole, from at onwards, lies below high.
float covered(float at, int whole, float high)
{
    const auto edge = static_cast<float>(whole + 1);
    return high < edge ? high - at : edge - at;
}

// The library's scaler works on 16-bit channels (a byte b becomes b × 257) and
// averages, for every output pixel, the input pixels under its footprint,
// weighted by how much of each it covers. Its single and double precision
// steps are kept as they are, so that every rounding falls the same way.
MipmapLevel scaleToPowersOfTwo(const TgaImage& image, int widthOut, int heightOut)
{
    const int components = image.bytesPerPixel;
    const int widthIn = image.width;
    const int heightIn = image.height;
    std::vector<unsigned short> wide(image.pixels.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<unsigned short>(image.pixels[i] * 257);
    }

    MipmapLevel out;
    out.width = widthOut;
    out.height = heightOut;
    out.pixels.resize(pixelBytes(widthOut, heightOut, components));
    // Exactly halving both sides takes a shortcut in the library, but a side
    // that is not a power of two never halves into one, so it is not needed.
    const float convy = static_cast<float>(heightIn) / static_cast<float>(heightOut);
    const float convx = static_cast<float>(widthIn) / static_cast<float>(widthOut);
    for (int i = 0; i < heightOut; ++i) {
        float lowy = 0;
        float highy = 0;
        footprint(convy, heightIn > heightOut, i, lowy, highy);
        for (int j = 0; j < widthOut; ++j) {
            float lowx = 0;
            float highx = 0;
            footprint(convx, widthIn > widthOut, j, lowx, highx);

            float totals[4] = {0, 0, 0, 0};
            float area = 0;
            float y = lowy;
            int yint = static_cast<int>(std::floor(static_cast<double>(y)));
            while (y < highy) {
                const int yindex = (yint + heightIn) % heightIn;
                const float ypercent = covered(y, yint, highy);
                float x = lowx;
                int xint = static_cast<int>(std::floor(static_cast<double>(x)));
                while (x < highx) {
                    const int xindex = (xint + widthIn) % widthIn;
                    const float xpercent = covered(x, xint, highx);
                    const float percent = xpercent * ypercent;
                    area += percent;
                    const std::size_t at = static_cast<std::size_t>(xindex + yindex * widthIn) *
                                           static_cast<std::size_t>(components);
                    for (int k = 0; k < components; ++k) {
                        totals[k] += static_cast<float>(wide[at + static_cast<std::size_t>(k)]) * percent;
                    }
                    ++xint;
                    x = static_cast<float>(xint);
                }
                ++yint;
                y = static_cast<float>(yint);
            }

            const std::size_t at = static_cast<std::size_t>(j + i * widthOut) * static_cast<std::size_t>(components);
            for (int k = 0; k < components; ++k) {
                const double value = (static_cast<double>(totals[k]) + 0.5) / static_cast<double>(area);
                const auto channel = static_cast<unsigned short>(static_cast<int>(value));
                out.pixels[at + static_cast<std::size_t>(k)] = static_cast<unsigned char>(channel >> 8);
            }
        }
    }
    return out;
}

// One level down. Each output byte is the rounded mean of the 2 × 2 bytes
// above it; once one side is 1, the truncated mean of the 2 bytes along the
// other side.
MipmapLevel halve(const MipmapLevel& level, int components)
{
    MipmapLevel out;
    out.width = level.width > 1 ? level.width / 2 : 1;
    out.height = level.height > 1 ? level.height / 2 : 1;
    out.pixels.resize(pixelBytes(out.width, out.height, components));
    const unsigned char* in = level.pixels.data();
    unsigned char* to = out.pixels.data();
    const std::size_t pixel = static_cast<std::size_t>(components);
    const std::size_t row = static_cast<std::size_t>(level.width) * pixel;
    if (level.width == 1 || level.height == 1) {
        // Neighbours along the only long side: the next pixel of the row, or
        // the next row of the column.
        const std::size_t step = level.height == 1 ? pixel : row;
        const int pairs = level.height == 1 ? out.width : out.height;
        for (int p = 0; p < pairs; ++p) {
            const unsigned char* a = in + static_cast<std::size_t>(p) * 2 * step;
            for (std::size_t k = 0; k < pixel; ++k) {
                *to++ = static_cast<unsigned char>((a[k] + a[k + step]) / 2);
            }
        }
        return out;
    }
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* top = in + static_cast<std::size_t>(y) * 2 * row;
        const unsigned char* bottom = top + row;
        for (int x = 0; x < out.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(x) * 2 * pixel;
            for (std::size_t k = 0; k < pixel; ++k) {
                *to++ = static_cast<unsigned char>(
                    (top[at + k] + top[at + pixel + k] + bottom[at + k] + bottom[at + pixel + k] + 2) / 4);
            }
        }
    }
    return out;
}

}  // namespace

int nearestPowerOfTwo(int side)
{
    int power = 1;
    unsigned value = static_cast<unsigned>(side);
    for (;;) {
        if (value <= 1) {
            return power;
        }
        if (value == 3) {
            return power * 4;
        }
        value >>= 1;
        power *= 2;
    }
}

std::vector<MipmapLevel> buildMipmapLevels(TgaImage image)
{
    const int width = nearestPowerOfTwo(image.width);
    const int height = nearestPowerOfTwo(image.height);
    std::vector<MipmapLevel> levels;
    if (width == image.width && height == image.height) {
        MipmapLevel base;
        base.width = width;
        base.height = height;
        base.pixels = std::move(image.pixels);
        levels.push_back(std::move(base));
    } else {
        levels.push_back(scaleToPowersOfTwo(image, width, height));
    }
    while (levels.back().width > 1 || levels.back().height > 1) {
        levels.push_back(halve(levels.back(), image.bytesPerPixel));
    }
    return levels;
}
