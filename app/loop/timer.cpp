#include "app/loop/timer.h"

#include <ctime>

Timer timer;

namespace {
int64_t monotonicTicks()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
}  // namespace

void timerInit()
{
    timer = Timer{};
    timer.frequency = 1000000000;
    timer.resolution = static_cast<float>(1.0L / timer.frequency);
    timer.start = monotonicTicks();
}

float timerGetTime()
{
    // Scale the tick difference in double: the float resolution of 1 ns is
    // inexact and would drift by parts per million.
    const int64_t ticks = monotonicTicks() - timer.start;
    return static_cast<float>(static_cast<double>(ticks) * 1000.0 / static_cast<double>(timer.frequency));
}
