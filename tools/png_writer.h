// Writes 8-bit RGB pictures as PNG files, for the contact sheets.
#pragma once

#include <string>
#include <vector>

// rgb: width × height × 3 bytes, top row first. Returns false when the file
// cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
