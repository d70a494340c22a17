// Work that runs beside start-up on a helper thread (the texture table's
// images, the radio's track), behind the threads that bring up the first
// frame.
#pragma once

#include <functional>

// The helpers' niceness: on a machine with a core to spare this costs them
// nothing, and on one without they never hold up the first frame.
constexpr int BACKGROUND_NICENESS = 10;

// Runs job on a detached helper thread at BACKGROUND_NICENESS; when no thread
// can be had, runs it on the calling thread rather than not at all. The job
// must own (or share) everything it touches.
void runInBackground(std::function<void()> job);
