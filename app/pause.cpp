#include "app/pause.h"

#include "app/controls.h"

FrameClock playClockSource = nullptr;

namespace {

struct PauseState {
    bool paused = false;
    float pausedAt = 0.0f;  // source time when the pause began
    double pausedMs = 0.0;  // every finished paused stretch
    bool windowAway = false;
};
PauseState state;

float sourceNow()
{
    return playClockSource ? playClockSource() : 0.0f;
}

// In double, so that with no pause behind it the clock reads exactly what its
// source reads.
float lessPaused(float sourceMs)
{
    return static_cast<float>(static_cast<double>(sourceMs) - state.pausedMs);
}

}  // namespace

float playClock()
{
    return lessPaused(state.paused ? state.pausedAt : sourceNow());
}

bool gamePaused()
{
    return state.paused;
}

void pauseGame()
{
    if (state.paused) {
        return;
    }
    state.paused = true;
    state.pausedAt = sourceNow();
    releaseHeldActions();
}

void resumeGame()
{
    if (!state.paused) {
        return;
    }
    state.pausedMs += static_cast<double>(sourceNow()) - static_cast<double>(state.pausedAt);
    state.paused = false;
}

void togglePause()
{
    if (state.paused) {
        resumeGame();
    } else {
        pauseGame();
    }
}

void setWindowAway(bool away)
{
    if (away && !state.windowAway) {
        pauseGame();
    }
    state.windowAway = away;
}

bool windowAway()
{
    return state.windowAway;
}

void resetPause()
{
    state = PauseState{};
}
