// Watching a replay: a lap flown again on a world of its own, at a speed the
// viewer picks, paused or not, seen from the cockpit or from a chase camera
// behind the craft. GL-free: the display draws `world` as it draws the live
// one, with the craft model at `craftPose()` in the chase view, and the
// overlay shows "REPLAY" and `lapClockMs()`. The live game is never touched.
#pragma once

#include "app/race/lap_replay.h"
#include "app/files/replay_file.h"
#include "sim/frame_events.h"
#include "sim/ghost.h"

#include <cstddef>

// The speeds Left and Right (or the pad's shoulders) step through.
constexpr float REPLAY_SPEEDS[] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};
constexpr int REPLAY_SPEED_COUNT = 5;
constexpr int REPLAY_SPEED_NORMAL = 2;

// The chase camera: this far behind the craft along its view and this far
// above it along its up, looking at a point this far ahead of it.
constexpr double CHASE_DISTANCE = 12.0;
constexpr double CHASE_HEIGHT = 3.0;
constexpr double CHASE_LOOK_AHEAD = 20.0;

// Where a camera stands and what it looks at, for the display's look-at.
struct CameraPose {
    Vec3 eye;
    Vec3 center;
    Vec3 up;
};

// The chase camera's pose behind the craft flying at craft (unit view and up).
CameraPose chasePose(const Camera& craft);

// Too large for the stack (two worlds): make it on the heap.
struct ReplayPlayer {
    LapReplay replay;
    // The lap as far as it has been played, stepped from a copy of replay.start.
    World world;
    // The last step's events (the display may play their cues).
    FrameEvents events;
    int speedIndex = REPLAY_SPEED_NORMAL;
    bool paused = false;
    bool chaseCamera = false;

    // Reads the replay at path, lends it the models of the world models (the
    // live one) and starts it; on failure the player is left as it was and
    // the status says why (MISSING: there is no replay yet).
    ReplayFileStatus load(const char* path, const World& models);
    // Starts the loaded replay again from the lap's start, at the same speed.
    void rewind();
    // Real time passes: the replay's clock moves on by wallMs times the
    // speed (not while paused or finished), and every recorded frame whose
    // clock reading it has reached is stepped, in order. Returns the number
    // of frames stepped.
    int advance(float wallMs);

    void slower() { speedIndex = speedIndex > 0 ? speedIndex - 1 : 0; }
    void faster() { speedIndex = speedIndex < REPLAY_SPEED_COUNT - 1 ? speedIndex + 1 : speedIndex; }
    float speed() const { return REPLAY_SPEEDS[speedIndex]; }
    void togglePause() { paused = !paused; }
    void toggleCamera() { chaseCamera = !chaseCamera; }

    // Every recorded frame has been stepped: the lap is over.
    bool finished() const { return nextFrame >= replay.frames.count(); }
    // The lap clock as the replay's last stepped frame shows it.
    float lapClockMs() const { return world.lastFrameTime - replay.start.lapStartTime; }
    // Where the craft is, as the step showed it, for drawing its model.
    GhostPose craftPose() const;
    // The view to draw from: the cockpit's, or the chase camera's.
    CameraPose viewPose() const;

private:
    std::size_t offset = 0;     // into replay.frames, of the next frame
    std::size_t nextFrame = 0;  // its number
    FrameInput next;
    double clockMs = 0.0;       // the replay's clock, in the recording's frame-clock ms
};

// The models of one world lent to another (a replay's start world holds
// none): every record's geometry and colours, not its place.
void lendModels(World& to, const World& from);
