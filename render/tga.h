// The TGA reader: uncompressed 16-, 24- and 32-bit true colour and run-length
// encoded 24- and 32-bit true colour. No GL here; render/texture_loader_gl.cpp
// turns the result into textures.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Sides and sizes beyond these are refused as corrupt: no texture of the game
// comes near them, and they keep a damaged header from claiming gigabytes.
constexpr int TGA_MAX_SIDE = 8192;
constexpr std::size_t TGA_MAX_BYTES = std::size_t{64} << 20;

struct TgaImage {
    int bytesPerPixel = 0;  // 3: red, green, blue; 4: red, green, blue, alpha
    int width = 0;
    int height = 0;
    // width × height × bytesPerPixel bytes, rows tightly packed in file order
    // (the descriptor's origin bit is ignored), each pixel red, green, blue(, alpha).
    std::vector<unsigned char> pixels;
};

// Decodes a whole TGA file held in memory. Returns nothing for a header that
// is cut short, a zero or oversized side, or a pixel depth that is not read
// (run-length: 24 and 32 bits; otherwise 16, 24 and 32). Pixel data that ends
// early leaves the rest of the image zero.
std::unique_ptr<TgaImage> decodeTga(const unsigned char* data, std::size_t size);
// The same, and when it returns nothing, why: "short header", "unsupported
// pixel depth 8", ...
std::unique_ptr<TgaImage> decodeTga(const unsigned char* data, std::size_t size, std::string& refusal);

// Reads and decodes a file. A file that cannot be used (missing, not a regular
// file, unreadable, or refused by the decoder) prints "\nUnable to load TGA
// File!\n" and then one line with the file's name and the reason, and returns
// nothing.
std::unique_ptr<TgaImage> loadTga(const char* fileName);

// loadTga without a word: when it returns nothing, refusal says why ("missing",
// "unsupported pixel depth 8", ...), for a caller that reports it later, on
// another thread than the one that read the file.
std::unique_ptr<TgaImage> readTga(const char* fileName, std::string& refusal);

// The two lines loadTga prints for a file it could not use, flushed.
void reportUnusableTga(const char* fileName, const std::string& refusal);
