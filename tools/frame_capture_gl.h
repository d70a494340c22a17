// Saves the frame just drawn in the current window as a PNG file, for the
// pictures in docs/.
#pragma once

#include <string>

// Reads the back buffer (Mesa keeps it after the swap). False when the file
// cannot be written.
bool saveFrame(const std::string& path);
