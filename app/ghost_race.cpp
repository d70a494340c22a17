#include "app/ghost_race.h"

#include "app/player_file.h"
#include "sim/camera.h"
#include "sim/world_state.h"

#include <cstdio>

int showGhost = 0;
GhostRace ghostRace;
Model ghostCraft;
const char* const GHOST_CRAFT_FILE = "craft.txt";

namespace {

GhostPose cameraPose()
{
    return ghostPoseOf(camera.position, camera.view, camera.up);
}

}  // namespace

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

void GhostRace::onEvent(const FrameEvent& event, float nowMs)
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
        recorder.gatePassed(event.gate, nowMs, lapStartTime, cameraPose());
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
    if (recorder.lapEnded(event.lapTime, cameraPose(), lap) && event.bestLap) {
        candidate = std::move(lap);
        hasCandidate = true;
    }
}

void GhostRace::onFrame(float nowMs)
{
    recorder.sample(nowMs, cameraPose());
}

bool GhostRace::ghostPose(float nowMs, GhostPose& pose) const
{
    const GhostLap* ghost = raced();
    if (!showGhost || !ghost || lapStartTime == 0.0f) {
        return false;
    }
    return ghost->poseAt(nowMs - lapStartTime, pose);
}

bool GhostRace::splitShowing(float nowMs, float& splitMs) const
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

void toggleGhost()
{
    showGhost = showGhost ? 0 : 1;
    if (showGhost && !ghostRace.storedRead) {
        ghostRace.readStored(true);
        ghostCraft.load(GHOST_CRAFT_FILE);
    }
}

void saveGhost()
{
    if (!ghostRace.shouldSave()) {
        return;
    }
    if (!replaceFileAtomically(GHOST_FILE, formatGhost(ghostRace.candidate))) {
        std::printf("Error opening file: %s\n", GHOST_FILE);
        std::fflush(stdout);
    }
}

void raceGhostEvents(const FrameEvents& events, float nowMs)
{
    for (const FrameEvent& event : events) {
        ghostRace.onEvent(event, nowMs);
    }
}
