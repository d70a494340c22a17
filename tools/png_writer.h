// Writes 8-bit pictures as PNG files through libpng: the contact sheets,
// screenshots and the desktop icons. No time stamp or other varying chunk is
// written, so the same pixels always give the same bytes.
#pragma once

#include <string>
#include <vector>

// rgb: width × height × 3 bytes, top row first. Returns false when the file
// cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);

// The whole file's bytes for width × height pixels of `channels` bytes each
// (3: RGB, 4: RGBA), top row first; empty when the sizes do not fit the pixels.
std::string encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels);
