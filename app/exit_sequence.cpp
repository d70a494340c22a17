#include "app/platform.h"

#include <cstdio>
#include <cstdlib>

PlatformHooks platformHooks;

void runExitSequence()
{
    // The best lap of the run is written to the high-score list here once laps are timed.
    if (platformHooks.leaveDisplay) {
        platformHooks.leaveDisplay();
    }
    // The octree is released here once it exists.
    if (platformHooks.closeSound) {
        platformHooks.closeSound();
    }
    std::fflush(stdout);
    if (platformHooks.exitProcess) {
        platformHooks.exitProcess(0);
        return;
    }
    std::exit(0);
}
