// Every loose value of the world that the simulation, the frame driver and
// the input handlers own, in one table per lifetime group. Each row gives the
// type, the design's name and the start value; the globals are declared and
// defined, resetWorld puts them back, and the world digest hashes them, all
// from these rows in this order, so a new value cannot be missed by any of
// them. The records (camera, asteroids, rockets, gates) keep their own fields
// with default initialisers beside their definitions.
#pragma once

#include "sim/vec3.h"

constexpr float NO_LAP_TIME = 999999.0f;  // bestLapTime before any lap is completed
// Where the pointer is taken to be before the first mouse event.
constexpr int MOUSE_START_X = 400;
constexpr int MOUSE_START_Y = 300;
constexpr int RADIO_VOLUME_START = 20;

// The craft's flight: speed and unit direction of motion, and the pointer
// position the next mouse-look delta is measured from.
#define VOREL_FLIGHT_STATE(ROW)                 \
    ROW(float, flightSpeed, 0.0f)               \
    ROW(Vec3, flightDirection, Vec3())          \
    ROW(int, lastMouseX, MOUSE_START_X)         \
    ROW(int, lastMouseY, MOUSE_START_Y)

// Rocket launch cooldown, whole ms; not above 0 means ready.
#define VOREL_LAUNCH_STATE(ROW) \
    ROW(int, rocketCooldown, 0)

// Lap timing in frame-clock milliseconds; lapStartTime 0 means no lap begun.
#define VOREL_LAP_STATE(ROW)              \
    ROW(float, lapStartTime, 0.0f)        \
    ROW(float, lastLapTime, 0.0f)         \
    ROW(float, bestLapTime, NO_LAP_TIME)

// The frame driver: the length of this frame, frameElapsedMs / 16.5 as the
// unit of every per-frame motion, the previous update's clock reading, and
// the options panel's time left (not above 0 means hidden).
#define VOREL_FRAME_STATE(ROW)                 \
    ROW(float, frameElapsedMs, 0.0f)           \
    ROW(float, frameStep, 0.0f)                \
    ROW(float, lastFrameTime, 0.0f)            \
    ROW(float, optionsOverlayTimer, 0.0f)

// Level inputs and option toggles, set by the input handlers between frames
// and read by the next frame, and the radio volume (0 to 255).
#define VOREL_INPUT_STATE(ROW)                 \
    ROW(int, thrustInput, 0) /* -1 brake, 0 coast, +1 accelerate */ \
    ROW(int, rollInput, 0)   /* -1, 0, +1 */   \
    ROW(int, showFps, 0)                       \
    ROW(int, wireframe, 0)                     \
    ROW(int, textureFilter, 1)                 \
    ROW(int, mipMapping, 1)                    \
    ROW(int, displayLists, 0)                  \
    ROW(int, frustumCulling, 0)                \
    ROW(int, transparency, 1)                  \
    ROW(int, faceCulling, 0)                   \
    ROW(int, showHighScores, 0)                \
    ROW(int, showCourseLine, 0)                \
    ROW(int, showOctree, 0)                    \
    ROW(int, radioVolume, RADIO_VOLUME_START)

#define VOREL_WORLD_DECLARE(type, name, start) extern type name;
VOREL_FLIGHT_STATE(VOREL_WORLD_DECLARE)
VOREL_LAUNCH_STATE(VOREL_WORLD_DECLARE)
VOREL_LAP_STATE(VOREL_WORLD_DECLARE)
VOREL_FRAME_STATE(VOREL_WORLD_DECLARE)
VOREL_INPUT_STATE(VOREL_WORLD_DECLARE)
#undef VOREL_WORLD_DECLARE

// Every group, in the order the world digest hashes them around the records.
#define VOREL_WORLD_SCALARS(ROW) \
    VOREL_FLIGHT_STATE(ROW)      \
    VOREL_LAUNCH_STATE(ROW)      \
    VOREL_LAP_STATE(ROW)         \
    VOREL_FRAME_STATE(ROW)       \
    VOREL_INPUT_STATE(ROW)

// Puts every value of the tables back to its start value.
void resetWorldScalars();
