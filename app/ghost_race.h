// Racing the ghost of the best lap: the recorder that follows every lap, the
// run's best lap as the candidate for "ghost.txt", the stored ghost, and the
// split against the ghost at each gate. GL-free: the display asks it where
// the ghost craft is, the overlay what split to show.
#pragma once

#include "app/ghost_file.h"
#include "geometry/model.h"
#include "sim/frame_events.h"
#include "sim/ghost.h"

// How long the split shows after a gate pass, ms.
constexpr float GHOST_SPLIT_SHOW_MS = 2000.0f;

// The G key's option: off at start. While off nothing of the ghost is drawn
// or shown; laps are recorded all the same.
extern int showGhost;

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
    // One frame event at frame-clock nowMs, with the camera as it stands.
    void onEvent(const FrameEvent& event, float nowMs);
    // A displayed frame at nowMs: samples the camera.
    void onFrame(float nowMs);
    // Where the ghost flies at nowMs in the running lap; false while it is not
    // in the race (option off, no ghost, no lap running, its lap over).
    bool ghostPose(float nowMs, GhostPose& pose) const;
    // The split to show at nowMs, if one is showing.
    bool splitShowing(float nowMs, float& splitMs) const;
    // Whether the candidate should replace the stored file: it is faster, or
    // there is no file of this format to lose.
    bool shouldSave();
    void reset();
};

extern GhostRace ghostRace;

// The ghost craft's model, "craft.txt", loaded when the option is first switched on.
extern Model ghostCraft;
extern const char* const GHOST_CRAFT_FILE;

// G: toggles showGhost; the first switch on reads the stored ghost and the
// craft model, each naming its file in one line if it cannot.
void toggleGhost();
// Hands a batch of frame events, as the app handles them, to the race.
void raceGhostEvents(const FrameEvents& events, float nowMs);

// Exit: writes the run's best lap to "ghost.txt" when it beats the stored one.
void saveGhost();
