// What the screenshot tools share: aiming the camera and saving the frame
// just drawn as a PNG file.
#pragma once

#include "app/frame_state.h"
#include "sim/vec3.h"

#include <cstdint>

#include <string>

// For "TOOL DATA_DIR OUT.png": enters DATA_DIR, sets the world up from seed
// with the frame clock on clock, opens the window and prepares the graphics
// as start-up does. 0 with out set to OUT.png, or the exit status after
// saying what failed.
int openShot(int argc, char** argv, uint32_t seed, FrameClock clock, std::string& out);

// Turns the camera toward target, its up as near +z as the view allows.
void aimCameraAt(const Vec3& target);

// The back buffer of the current window, top row first; false when the file
// cannot be written.
bool saveFramePng(const std::string& path);
