#include "sim/ghost.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

GhostPose poseAt(double x)
{
    return ghostPoseOf(Vec3{x, 0.0, 0.0}, Vec3{1.0, 0.0, 0.0}, Vec3{0.0, 0.0, 1.0});
}

// Flies one lap of lapMs from frame-clock startMs with frames of frameMs: the
// craft moves 1 unit per ms along x and passes gates 1 to 10 evenly.
bool flyLap(GhostRecorder& recorder, float startMs, float lapMs, float frameMs, GhostLap& out)
{
    recorder.gatePassed(0, startMs, startMs, poseAt(0.0));
    int nextGate = 1;
    for (float t = frameMs; t < lapMs; t += frameMs) {
        if (nextGate < gateCount && t >= lapMs * nextGate / gateCount) {
            recorder.gatePassed(nextGate++, startMs + t, startMs, poseAt(t));
        }
        recorder.sample(startMs + t, poseAt(t));
    }
    recorder.gatePassed(0, startMs + lapMs, startMs + lapMs, poseAt(lapMs));
    return recorder.lapEnded(lapMs, poseAt(lapMs), out);
}

}  // namespace

TEST(GhostRecorder, KeepsALapFromGateZeroToGateZero)
{
    GhostRecorder recorder;
    GhostLap lap;
    // Before the first pass of gate 0 there is no lap to close.
    EXPECT_FALSE(recorder.lapEnded(500.0f, poseAt(0.0), lap));

    ASSERT_TRUE(flyLap(recorder, 3000.0f, 1100.0f, 16.5f, lap));
    EXPECT_EQ(lap.lapTime, 1100.0f);
    ASSERT_EQ(lap.gateTimes.size(), static_cast<size_t>(GHOST_GATE_TIMES));
    EXPECT_EQ(lap.gateTimes.back(), 1100.0f);
    for (size_t g = 1; g < lap.gateTimes.size(); ++g) {
        EXPECT_GT(lap.gateTimes[g], lap.gateTimes[g - 1]);
    }
    EXPECT_EQ(lap.samples.front().time, 0.0f);
    EXPECT_EQ(lap.samples.back().time, 1100.0f);
    for (size_t s = 1; s < lap.samples.size(); ++s) {
        EXPECT_GT(lap.samples[s].time, lap.samples[s - 1].time);
        // Times are lap-relative: the craft was at x = t.
        EXPECT_NEAR(lap.samples[s].position.x, lap.samples[s].time, 1e-3);
    }
    // The next lap is already running from the same pass.
    EXPECT_TRUE(recorder.recording);
    EXPECT_EQ(recorder.runningStart, 4100.0f);
}

TEST(GhostRecorder, SpacesSamplesAndDropsALapBeyondTheLongestKept)
{
    GhostRecorder recorder;
    GhostLap lap;
    ASSERT_TRUE(flyLap(recorder, 100.0f, 1000.0f, 1.0f, lap));
    // A sample at most every GHOST_SAMPLE_SPACING_MS, plus the closing one.
    EXPECT_LE(lap.samples.size(), static_cast<size_t>(1000.0f / GHOST_SAMPLE_SPACING_MS) + 2);
    EXPECT_GE(lap.samples.size(), static_cast<size_t>(1000.0f / GHOST_SAMPLE_SPACING_MS) / 2);

    // An overlong lap stops growing and is not kept; the next lap records again.
    EXPECT_FALSE(flyLap(recorder, 2000.0f, GHOST_LAP_MAX_MS + 1000.0f, 200.0f, lap));
    EXPECT_TRUE(flyLap(recorder, 1e6f, 1000.0f, 16.0f, lap));
}

TEST(GhostLap, InterpolatesThePoseInsideTheLapOnly)
{
    GhostLap lap;
    lap.lapTime = 100.0f;
    lap.gateTimes = {9.0f, 19.0f, 29.0f, 39.0f, 49.0f, 59.0f, 69.0f, 79.0f, 89.0f, 99.0f, 100.0f};
    GhostSample a;
    a.position = GhostVec{0.0f, 0.0f, 0.0f};
    a.view = GhostVec{1.0f, 0.0f, 0.0f};
    a.up = GhostVec{0.0f, 0.0f, 1.0f};
    GhostSample b = a;
    b.time = 100.0f;
    b.position = GhostVec{10.0f, -20.0f, 4.0f};
    b.view = GhostVec{0.0f, 1.0f, 0.0f};
    lap.samples = {a, b};

    GhostPose pose;
    ASSERT_TRUE(lap.poseAt(25.0f, pose));
    EXPECT_DOUBLE_EQ(pose.position.x, 2.5);
    EXPECT_DOUBLE_EQ(pose.position.y, -5.0);
    EXPECT_DOUBLE_EQ(pose.position.z, 1.0);
    // Directions are blended, then made unit again.
    EXPECT_NEAR(pose.view.x, 0.75 / std::sqrt(0.75 * 0.75 + 0.25 * 0.25), 1e-12);
    EXPECT_NEAR(pose.view.length(), 1.0, 1e-6);
    ASSERT_TRUE(lap.poseAt(100.0f, pose));
    EXPECT_DOUBLE_EQ(pose.position.x, 10.0);
    EXPECT_FALSE(lap.poseAt(-0.5f, pose));
    EXPECT_FALSE(lap.poseAt(100.5f, pose));

    // Passing gate 3 (ordinal 2, ghost at 29 ms) at 27 ms is 2 ms ahead.
    EXPECT_FLOAT_EQ(lap.splitAt(ghostGateOrdinal(3), 27.0f), -2.0f);
    EXPECT_FLOAT_EQ(lap.splitAt(ghostGateOrdinal(0), 104.5f), 4.5f);
}
