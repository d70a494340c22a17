#include "app/exit_sequence.h"

#include "app/ghost_race.h"
#include "app/high_scores.h"
#include "geometry/octree.h"
#include "sim/course.h"
#include "sim/platform_hooks.h"

#include <cstdio>
#include <cstdlib>

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
