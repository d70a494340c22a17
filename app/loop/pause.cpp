#include "app/loop/pause.h"

#include "app/input/controls.h"
#include "app/loop/game.h"

namespace {

float sourceNow(const Game& game)
{
    return game.clockSource ? game.clockSource() : 0.0f;
}

// In double, so that with no pause behind it the clock reads exactly what its
// source reads.
float lessPaused(const Game& game, float sourceMs)
{
    return static_cast<float>(static_cast<double>(sourceMs) - game.pause.pausedMs);
}

}  // namespace

float playClock(const Game& game)
{
    return lessPaused(game, game.pause.paused ? game.pause.pausedAt : sourceNow(game));
}

bool gamePaused(const Game& game)
{
    return game.pause.paused;
}

void pauseGame(Game& game)
{
    if (game.pause.paused) {
        return;
    }
    game.pause.paused = true;
    game.pause.pausedAt = sourceNow(game);
    releaseHeldActions(game);
    game.menu.open(&game.radioVolume);
}

void resumeGame(Game& game)
{
    if (!game.pause.paused) {
        return;
    }
    game.pause.pausedMs += static_cast<double>(sourceNow(game)) - static_cast<double>(game.pause.pausedAt);
    game.pause.paused = false;
}

void setWindowAway(Game& game, bool away)
{
    if (away && !game.pause.windowAway) {
        pauseGame(game);
    }
    game.pause.windowAway = away;
}

bool windowAway(const Game& game)
{
    return game.pause.windowAway;
}

void togglePause(Game& game)
{
    if (game.pause.paused) {
        resumeGame(game);
    } else {
        pauseGame(game);
    }
}
