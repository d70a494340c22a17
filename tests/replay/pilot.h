// A scripted pilot for recording replays: it flies the course by mouse and
// keys the way a player would, shoots at asteroids ahead, and writes down
// every event it hands to the game.
#pragma once

#include "replay/replay.h"
#include "replay/replay_script.h"

// Plays script.frameCount frames of the world set up from script.seed with
// the script's frame durations, appending the pilot's events to
// script.events. result gets the run's counts and digest. atEnd, when given,
// is handed the run's game after the last frame, as the exit would find it.
void recordPilotRun(InputScript& script, ReplayResult& result, void (*atEnd)(Game&) = nullptr);
