// A lap ghost: the camera's pose through one lap, sampled against the time
// since the lap began, with the lap-relative time of every gate pass. The
// recorder fills one during every lap; the best lap of a run becomes the
// candidate for "ghost.txt", and the fastest known lap is the one raced.
#pragma once

#include "sim/course.h"
#include "sim/vec3.h"

#include <vector>

// Samples closer together than this are skipped: interpolation between them
// is as good as a sample, and a very fast machine does not flood the lap.
constexpr float GHOST_SAMPLE_SPACING_MS = 8.0f;
// The longest lap that is recorded (ten minutes); a slower lap is dropped
// rather than grow its samples without limit.
constexpr float GHOST_LAP_MAX_MS = 600000.0f;
// Samples of the longest lap, with its first and closing sample.
constexpr int GHOST_SAMPLE_MAX = static_cast<int>(GHOST_LAP_MAX_MS / GHOST_SAMPLE_SPACING_MS) + 2;
// One time per gate pass in flying order: gates 1 to 10, then gate 0, which
// ends the lap.
constexpr int GHOST_GATE_TIMES = gateCount;

struct GhostVec {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct GhostSample {
    float time = 0.0f;  // ms since the lap began
    GhostVec position;
    GhostVec view;
    GhostVec up;
};

// Where the ghost is at one moment; view and up are unit vectors.
struct GhostPose {
    Vec3 position;
    Vec3 view;
    Vec3 up;
};

struct GhostLap {
    float lapTime = 0.0f;            // ms, the time of the closing gate 0 pass
    std::vector<float> gateTimes;    // GHOST_GATE_TIMES increasing times, the last is lapTime
    std::vector<GhostSample> samples;  // increasing times from 0 to lapTime

    bool complete() const;
    // The pose at lapMs since the lap began, linear between the two samples
    // around it (directions renormalised). False before 0, after lapTime or
    // for an incomplete lap: the ghost is not in the race then.
    bool poseAt(float lapMs, GhostPose& pose) const;
    // Signed ms of a pass of the gate at flying position ordinal (0 for gate
    // 1, GHOST_GATE_TIMES - 1 for the closing gate 0) at lapMs against the
    // ghost: below 0 when ahead of it.
    float splitAt(int ordinal, float lapMs) const;
};

// Flying position within a lap of a pass of gate: gate 1 is 0, gate 0 last.
int ghostGateOrdinal(int gate);

// The lap being flown. It starts at each pass of gate 0; the lap it was
// recording until then is closed when the lap's time is known.
struct GhostRecorder {
    GhostLap running;
    GhostLap closing;           // the lap gate 0 just ended, until its time arrives
    float runningStart = 0.0f;  // frame-clock ms at which the running lap began
    bool recording = false;     // false before the first pass of gate 0 and after an overlong lap
    bool closingValid = false;

    // A pass of gate at frame-clock nowMs, with the camera where the pass left
    // it. At gate 0 the running lap moves to closing and a new one starts at
    // lapStartMs (the lap clock's own start) with the camera's pose.
    void gatePassed(int gate, float nowMs, float lapStartMs, const GhostPose& camera);
    // The lap that gate 0 just ended took lapMs: the closing lap gets its
    // final gate time and pose. True and the lap in out when it is complete.
    bool lapEnded(float lapMs, const GhostPose& camera, GhostLap& out);
    // A displayed frame at nowMs: one sample unless the last is too recent.
    void sample(float nowMs, const GhostPose& camera);
    void reset();
};

GhostPose ghostPoseOf(const Vec3& position, const Vec3& view, const Vec3& up);
