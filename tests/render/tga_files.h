// Builds TGA files byte by byte for the reader and texture tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TgaHeader {
    int imageType = 2;
    int width = 1;
    int height = 1;
    int depth = 24;
    int descriptor = 0;
    std::string imageId;
};

inline std::string tgaBytes(const TgaHeader& h, const std::vector<uint8_t>& pixelData)
{
    std::string out(18, '\0');
    out[0] = static_cast<char>(h.imageId.size());
    out[2] = static_cast<char>(h.imageType);
    out[12] = static_cast<char>(h.width & 0xFF);
    out[13] = static_cast<char>(h.width >> 8);
    out[14] = static_cast<char>(h.height & 0xFF);
    out[15] = static_cast<char>(h.height >> 8);
    out[16] = static_cast<char>(h.depth);
    out[17] = static_cast<char>(h.descriptor);
    out += h.imageId;
    out.append(pixelData.begin(), pixelData.end());
    return out;
}

// An uncompressed 24-bit image of one colour, given as red, green, blue.
inline std::string solidTga(int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> data;
    for (int i = 0; i < width * height; ++i) {
        data.insert(data.end(), {b, g, r});
    }
    TgaHeader h;
    h.width = width;
    h.height = height;
    return tgaBytes(h, data);
}
