// The frame clock: float milliseconds since timerInit over the monotonic clock.
#pragma once
#include <cstdint>

struct Timer {
    int64_t frequency = 0;    // ticks per second of the clock behind it
    float resolution = 0.0f;  // seconds per tick
    int64_t start = 0;        // tick count at timerInit
};

// The process's clock: timerGetTime is the game's play-clock source, a plain
// function the pause hands its readings from.
extern Timer timer;

void timerInit();
// Milliseconds since timerInit, rounded to single precision; sub-millisecond resolution.
float timerGetTime();
