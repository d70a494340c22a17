// Racing the ghost of the best lap: the recorder that follows every lap, the
// run's best lap as the candidate for "ghost.txt", the stored ghost, and the
// split against the ghost at each gate. GL-free: the display asks it where
// the ghost craft is, the overlay what split to show.
#pragma once

#include "app/files/ghost_file.h"
#include "geometry/model.h"
#include "sim/frame_events.h"
#include "sim/ghost.h"

// How long the split shows after a gate pass, ms.
constexpr float GHOST_SPLIT_SHOW_MS = 2000.0f;

struct Game;

struct GhostRace {
    GhostRecorder recorder;
    GhostLap candidate;  // the run's best lap, when hasCandidate
    bool hasCandidate = false;
    GhostLap stored;     // "ghost.txt" as read, when storedStatus is OK
    GhostFileStatus storedStatus = GHOST_FILE_MISSING;
    bool storedRead = false;
    float split = 0.0f;          // ms against the ghost at the last gate; below 0 is ahead
    float splitShownFrom = 0.0f; // frame-clock ms of that pass
    bool hasSplit = false;

    // The fastest lap known: the stored one or the run's candidate.
    const GhostLap* raced() const;
    // Reads "ghost.txt" once; the line naming it is printed when report is set.
    void readStored(bool report);
    // The G key's option (view.showGhost), as the race reads it: while off
    // nothing of the ghost is drawn or shown; laps are recorded all the same.
    // One frame event at frame-clock nowMs, in a lap begun at lapStartMs,
    // with the craft at pose.
    void onEvent(const FrameEvent& event, float nowMs, float lapStartMs, const GhostPose& craft, bool showing);
    // A displayed frame at nowMs: samples the craft's pose.
    void onFrame(float nowMs, const GhostPose& craft);
    // Where the ghost flies at nowMs in the lap begun at lapStartMs; false
    // while it is not in the race (option off, no ghost, no lap running, its
    // lap over).
    bool ghostPose(float nowMs, float lapStartMs, bool showing, GhostPose& pose) const;
    // The split to show at nowMs, if one is showing.
    bool splitShowing(float nowMs, bool showing, float& splitMs) const;
    // Whether the candidate should replace the stored file: it is faster, or
    // there is no file of this format to lose.
    bool shouldSave();
    void reset();

    // The ghost craft's model, "craft.txt", loaded when the option is first
    // switched on.
    Model craft;
};

extern const char* const GHOST_CRAFT_FILE;

// G: toggles view.showGhost; the first switch on reads the stored ghost and
// the craft model, each naming its file in one line if it cannot.
void toggleGhost(Game& game);
// Hands the frame's events, as the app handles them at frame-clock nowMs, to
// the race, with the craft as the frame shows it.
void raceGhostEvents(Game& game, float nowMs);

// Exit: writes the run's best lap to "ghost.txt" when it beats the stored one.
void saveGhost(Game& game);
