// The course: a ring of gates flown in order, one active at a time; passing
// gate 0 ends a lap.
#pragma once

#include "geometry/model.h"
#include "sim/record_fields.h"
#include "sim/vec3.h"

struct FrameEvents;
struct Palette;
struct Random;
struct World;

constexpr int gateCount = 11;
constexpr float GATE_SPIN_RATE = 0.75f;   // degrees per step
// Half the edge of the cube around a gate's centre that counts as passing it:
// single-precision 3.7, compared in double.
constexpr double GATE_PASS_REACH = 3.700000047683716;

// After the model head (whose position is the gate's).
#define VOREL_GATE_FIELDS(ROW)                                   \
    ROW(int, active, 0)          /* 1 for the one gate to pass next */ \
    ROW(Vec3, spinAxis, Vec3())  /* random, not normalised */    \
    ROW(float, spinRate, 0.0f)   /* degrees per step, 0.75 */    \
    ROW(float, spinAngle, 0.0f)  /* degrees, kept below 360 */

struct Gate : Model {
    VOREL_GATE_FIELDS(VOREL_RECORD_MEMBER)

    // Drawing, with the renderer: in the palette's active colour when active,
    // its other-gate colour otherwise (green and red in the designed one).
    void draw(const Palette& palette) const;
};

// Where the gates stand, in the order they are flown; gate 0 starts and ends a lap.
struct GatePlace {
    float x;
    float y;
    float z;
};
extern const GatePlace courseTable[gateCount];

// lapStartTime (frame-clock ms when the running lap began; 0 before the first
// lap), lastLapTime and bestLapTime live in the world's state tables.

// The spin axis is drawn from random, three numbers.
void gateSetUp(Gate& gate, float x, float y, float z, int active, Random& random);
void gateSpin(Gate& gate, float step);
// 1 when the point lies strictly within 3.7 of the active gate on every axis;
// clears the gate's active flag then.
int gateTestPass(Gate& gate, double x, double y, double z);

// Last step of a frame update: when the craft has passed the active gate,
// report it, time the lap at gate 0 (frame-clock nowMs) and make the next
// gate active.
void advanceCourse(World& world, float nowMs, FrameEvents& events);
