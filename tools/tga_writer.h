// Writes pictures as TGA files of the kinds the game reads. Rows are stored
// bottom-up (the format's default origin), so row 0 of the Image is the first
// row of the file and texture coordinate t = 0 in the game.
#pragma once

#include "tools/image.h"

#include <string>

enum class TgaKind {
    RGB16,   // uncompressed, 5 bits per channel
    RGB24,   // uncompressed
    RGBA32,  // uncompressed, with alpha
    RLE24,   // run-length encoded
    RLE32,   // run-length encoded, with alpha
};

// The whole file's bytes. Channels are rounded with an ordered dither where
// the kind has fewer bits than the picture's gradients need.
std::string encodeTga(const Image& image, TgaKind kind);
