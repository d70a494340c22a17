#include "app/platform.h"

#include "app/ghost_race.h"
#include "app/high_scores.h"
#include "geometry/octree.h"
#include "sim/course.h"

#include <cstdio>
#include <cstdlib>

PlatformHooks platformHooks;

void runExitSequence()
{
    if (bestLapTime != NO_LAP_TIME) {
        writeHighScores();
    }
    saveGhost();
    if (platformHooks.leaveDisplay) {
        platformHooks.leaveDisplay();
    }
    octree.release();
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
