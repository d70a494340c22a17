// What happened in one frame step: the step records each event in the order
// it happened and calls no platform service itself. The app reads the list
// after the step, turns it into sound cues and hands it to the ghost and
// anything else that listens (replays, the digest), then clears it. The core
// never clears it.
#pragma once

#include "sim/asteroid.h"
#include "sim/rocket.h"

enum FrameEventKind : int {
    EVENT_ROCKET_LAUNCHED = 0,  // rocket: the slot that left
    EVENT_ROCKET_HIT = 1,       // rocket, asteroid: the slot that exploded on that asteroid
    EVENT_CRAFT_CONTACT = 2,    // asteroid: the one the craft bounced off
    EVENT_GATE_PASSED = 3,      // gate: the index flown through
    EVENT_LAP_ENDED = 4,        // lapTime (ms), bestLap: a lap ended at gate 0
    EVENT_LAP_RESTARTED = 5     // the craft was set back to the start and the lap dropped
};

struct FrameEvent {
    FrameEventKind kind = EVENT_ROCKET_LAUNCHED;
    int rocket = -1;
    int asteroid = -1;
    int gate = -1;
    float lapTime = 0.0f;
    bool bestLap = false;
};

// Enough for the worst frame: a launch, every rocket hitting every asteroid
// within its reach, the craft touching every asteroid, a gate and a lap.
// A frame's input may launch once per command, so launches and restarts
// have room of their own besides.
constexpr int FRAME_EVENT_CAPACITY = 2 * ROCKET_COUNT + ROCKET_COUNT * ASTEROID_COUNT + ASTEROID_COUNT + 2 + 8;

struct FrameEvents {
    FrameEvent list[FRAME_EVENT_CAPACITY];
    int count = 0;

    void push(const FrameEvent& event);
    void clear() { count = 0; }
    const FrameEvent* begin() const { return list; }
    const FrameEvent* end() const { return list + count; }
};

