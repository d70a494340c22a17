#include "app/loop/exit_sequence.h"

#include "app/loop/game.h"
#include "app/files/high_scores.h"
#include "app/files/replay_file.h"
#include "sim/platform_hooks.h"

#include <cstdio>
#include <cstdlib>

void runExitSequence(Game& game)
{
    if (game.world.bestLapTime != NO_LAP_TIME) {
        writeHighScores(game.world.bestLapTime);
    }
    saveGhost(game);
    saveBestLapReplay(game.laps);
    if (platformHooks.leaveDisplay) {
        platformHooks.leaveDisplay();
    }
    game.world.octree.release();
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
