#include "app/race/ghost_race.h"

#include "app/loop/game.h"
#include "app/files/player_file.h"

#include <cstdio>

const char* const GHOST_CRAFT_FILE = "craft.txt";

const GhostLap* GhostRace::raced() const
{
    const bool haveStored = storedStatus == GHOST_FILE_OK;
    if (hasCandidate && (!haveStored || candidate.lapTime < stored.lapTime)) {
        return &candidate;
    }
    return haveStored ? &stored : nullptr;
}

void GhostRace::readStored(bool report)
{
    if (storedRead) {
        return;
    }
    storedRead = true;
    storedStatus = readGhostFile(GHOST_FILE, stored);
    if (report) {
        reportGhostFile(storedStatus);
    }
}

void GhostRace::onEvent(const FrameEvent& event, float nowMs, float lapStartMs, const GhostPose& craft,
                        bool showGhost)
{
    // The lap in progress is dropped; the next pass of gate 0 starts a new one.
    if (event.kind == EVENT_LAP_RESTARTED) {
        recorder.reset();
        hasSplit = false;
        return;
    }
    if (event.kind == EVENT_GATE_PASSED) {
        const bool endsLap = event.gate == 0;
        // Gate 0's split waits for the lap's own time (EVENT_LAP_ENDED).
        if (!endsLap && recorder.recording) {
            const GhostLap* ghost = raced();
            if (showGhost && ghost) {
                split = ghost->splitAt(ghostGateOrdinal(event.gate), nowMs - recorder.runningStart);
                splitShownFrom = nowMs;
                hasSplit = true;
            }
        }
        recorder.gatePassed(event.gate, nowMs, lapStartMs, craft);
        return;
    }
    if (event.kind != EVENT_LAP_ENDED) {
        return;
    }
    const GhostLap* ghost = raced();
    if (showGhost && ghost) {
        split = ghost->splitAt(GHOST_GATE_TIMES - 1, event.lapTime);
        splitShownFrom = nowMs;
        hasSplit = true;
    }
    GhostLap lap;
    if (recorder.lapEnded(event.lapTime, craft, lap) && event.bestLap) {
        candidate = std::move(lap);
        hasCandidate = true;
    }
}

void GhostRace::onFrame(float nowMs, const GhostPose& craft)
{
    recorder.sample(nowMs, craft);
}

bool GhostRace::ghostPose(float nowMs, float lapStartMs, bool showGhost, GhostPose& pose) const
{
    const GhostLap* ghost = raced();
    if (!showGhost || !ghost || lapStartMs == 0.0f) {
        return false;
    }
    return ghost->poseAt(nowMs - lapStartMs, pose);
}

bool GhostRace::splitShowing(float nowMs, bool showGhost, float& splitMs) const
{
    if (!showGhost || !hasSplit || nowMs - splitShownFrom >= GHOST_SPLIT_SHOW_MS) {
        return false;
    }
    splitMs = split;
    return true;
}

bool GhostRace::shouldSave()
{
    if (!hasCandidate) {
        return false;
    }
    readStored(false);
    switch (storedStatus) {
    case GHOST_FILE_OK:
        return candidate.lapTime < stored.lapTime;
    case GHOST_FILE_MISSING:
    case GHOST_FILE_MALFORMED:
        return true;
    case GHOST_FILE_UNREADABLE:  // its lap may be faster: keep it
    case GHOST_FILE_NEWER:
        return false;
    }
    return false;
}

void GhostRace::reset()
{
    *this = GhostRace{};
}

void toggleGhost(Game& game)
{
    int& showGhost = game.view.showGhost;
    showGhost = showGhost ? 0 : 1;
    if (showGhost && !game.ghost.storedRead) {
        game.ghost.readStored(true);
        game.ghost.craft.load(GHOST_CRAFT_FILE);
    }
}

void saveGhost(Game& game)
{
    if (!game.ghost.shouldSave()) {
        return;
    }
    if (!replaceFileAtomically(GHOST_FILE, formatGhost(game.ghost.candidate))) {
        std::printf("Error opening file: %s\n", GHOST_FILE);
        std::fflush(stdout);
    }
}

void raceGhostEvents(Game& game, float nowMs)
{
    const Camera& shown = game.world.shown.camera;
    const GhostPose craft = ghostPoseOf(shown.position, shown.view, shown.up);
    for (const FrameEvent& event : game.events) {
        game.ghost.onEvent(event, nowMs, game.world.lapStartTime, craft, game.view.showGhost != 0);
    }
}
