// What the screenshot tools share: aiming the camera and saving the frame
// just drawn as a PNG file.
#pragma once

#include "sim/vec3.h"

#include <cstdint>

#include <string>

// Every shot's asteroid field, and the frame length its clock steps by.
constexpr uint32_t SHOT_FIELD_SEED = 20261207;
constexpr float SHOT_FRAME_MS = 16.5f;

struct Camera;
struct Game;

// The clock behind a shot's play clock, in ms: the tool moves it on before
// each frame.
extern float shotNow;

// For "TOOL DATA_DIR OUT.png": enters DATA_DIR, sets the game's world up from
// seed with its play clock reading shotNow, opens the window and prepares
// the graphics as start-up does. 0 with out set to OUT.png, or the exit
// status after saying what failed.
int openShot(Game& game, int argc, char** argv, std::string& out, uint32_t seed = SHOT_FIELD_SEED);

// Turns the camera toward target, its up as near +z as the view allows.
void aimCameraAt(Camera& camera, const Vec3& target);

// The back buffer of the current window, top row first; false when the file
// cannot be written.
bool saveFramePng(const std::string& path);

// Saves the frame just drawn to out and leaves the display: the tool's exit
// status, 1 after saying the file could not be written.
int finishShot(const std::string& out);
