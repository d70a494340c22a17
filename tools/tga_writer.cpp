#include "tools/tga_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

void put8(std::string& out, int v) { out.push_back(static_cast<char>(v & 0xFF)); }
void put16(std::string& out, int v)
{
    put8(out, v);
    put8(out, v >> 8);
}

int pixelBytes(TgaKind kind)
{
    switch (kind) {
    case TgaKind::RGB16: return 2;
    case TgaKind::RGB24:
    case TgaKind::RLE24: return 3;
    default: return 4;
    }
}

// One pixel as stored in the file: blue, green, red (, alpha), or a 16-bit
// little-endian value with red in bits 14-10, green 9-5, blue 4-0.
void storePixel(const Color& c, TgaKind kind, double dither, uint8_t* out)
{
    if (kind == TgaKind::RGB16) {
        // The reader widens 5 bits k to k * 8, so full white reads back as 248.
        auto five = [dither](double v) {
            const double level = std::floor(v * 31.0 + 0.5 + dither);
            return static_cast<int>(std::min(31.0, std::max(0.0, level)));
        };
        const int value = (five(c.r) << 10) | (five(c.g) << 5) | five(c.b);
        out[0] = static_cast<uint8_t>(value & 0xFF);
        out[1] = static_cast<uint8_t>(value >> 8);
        return;
    }
    out[0] = toByte(c.b, dither);
    out[1] = toByte(c.g, dither);
    out[2] = toByte(c.r, dither);
    if (pixelBytes(kind) == 4) {
        out[3] = toByte(c.a, dither);
    }
}

// Packets never cross a row, as the format recommends. A run of two equal
// pixels or more becomes a run packet; everything else collects into raw packets.
void encodeRow(const std::vector<uint8_t>& row, int width, int bpp, std::string& out)
{
    auto same = [&](int a, int b) { return std::memcmp(&row[a * bpp], &row[b * bpp], bpp) == 0; };
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 128 && same(x, x + run)) {
            ++run;
        }
        if (run >= 2) {
            put8(out, 128 + run - 1);
            out.append(reinterpret_cast<const char*>(&row[x * bpp]), bpp);
            x += run;
            continue;
        }
        int raw = 1;
        while (x + raw < width && raw < 128 && !(x + raw + 1 < width && same(x + raw, x + raw + 1))) {
            ++raw;
        }
        put8(out, raw - 1);
        out.append(reinterpret_cast<const char*>(&row[x * bpp]), static_cast<size_t>(raw) * bpp);
        x += raw;
    }
}

}  // namespace

std::string encodeTga(const Image& image, TgaKind kind)
{
    const bool rle = kind == TgaKind::RLE24 || kind == TgaKind::RLE32;
    const int bpp = pixelBytes(kind);
    std::string out;
    put8(out, 0);             // no image ID
    put8(out, 0);             // no colour map
    put8(out, rle ? 10 : 2);  // true colour, run-length encoded or not
    for (int i = 0; i < 5; ++i) {
        put8(out, 0);         // colour-map fields
    }
    put16(out, 0);            // x origin
    put16(out, 0);            // y origin
    put16(out, image.width);
    put16(out, image.height);
    put8(out, bpp * 8);
    put8(out, bpp == 4 ? 8 : 0);  // alpha bits; origin bottom-left

    std::vector<uint8_t> row(static_cast<size_t>(image.width) * bpp);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            storePixel(image.at(x, y), kind, ditherAt(x, y), &row[static_cast<size_t>(x) * bpp]);
        }
        if (rle) {
            encodeRow(row, image.width, bpp, out);
        } else {
            out.append(reinterpret_cast<const char*>(row.data()), row.size());
        }
    }
    return out;
}
