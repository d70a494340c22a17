// What happened in the simulation since the platform last looked: the core
// records each event here in the order it happened and calls no platform
// service itself. The app reads the list after updateFrame and after each
// input handler, turns it into sound cues (and anything else that listens,
// such as the replay digest), then clears it. The core never clears it.
#pragma once

#include "sim/asteroid.h"
#include "sim/rocket.h"

enum FrameEventKind : int {
    EVENT_ROCKET_LAUNCHED = 0,  // rocket: the slot that left
    EVENT_ROCKET_HIT = 1,       // rocket, asteroid: the slot that exploded on that asteroid
    EVENT_CRAFT_CONTACT = 2,    // asteroid: the one the craft bounced off
    EVENT_GATE_PASSED = 3,      // gate: the index flown through
    EVENT_LAP_ENDED = 4,        // lapTime (ms), bestLap: a lap ended at gate 0
    EVENT_LAP_RESTARTED = 5     // the player restarted the lap: the craft is back at the start
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
// within its reach, the craft touching every asteroid, a gate and a lap, and
// a restart.
constexpr int FRAME_EVENT_CAPACITY = 1 + ROCKET_COUNT * ASTEROID_COUNT + ASTEROID_COUNT + 3;

struct FrameEvents {
    FrameEvent list[FRAME_EVENT_CAPACITY];
    int count = 0;

    void push(const FrameEvent& event);
    void clear() { count = 0; }
    const FrameEvent* begin() const { return list; }
    const FrameEvent* end() const { return list + count; }
};

extern FrameEvents frameEvents;
