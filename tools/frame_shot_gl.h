// What the screenshot tools share: aiming the camera and saving the frame
// just drawn as a PNG file.
#pragma once

#include "sim/vec3.h"

#include <string>

// Turns the camera toward target, its up as near +z as the view allows.
void aimCameraAt(const Vec3& target);

// The back buffer of the current window, top row first; false when the file
// cannot be written.
bool saveFramePng(const std::string& path);
