// Scripted laps flown by the replay pilot, headless, with the ghost file
// written as the exit sequence writes it.
#include "app/race/ghost_race.h"
#include "replay/replay.h"
#include "sim/world.h"
#include "support/file_capture.h"
#include "tests/replay/pilot.h"

#include <gtest/gtest.h>

namespace {

// One run of the game: a fresh race, the pilot's laps, then the exit's save.
ReplayCounts flyAndExit(uint32_t seed, std::vector<float> frameMs)
{
    InputScript script;
    script.seed = seed;
    script.frameCount = 16000;
    script.frameMs = std::move(frameMs);
    ReplayResult result;
    recordPilotRun(script, result, saveGhost);
    return result.counts;
}

}  // namespace

TEST(GhostLaps, TheFileHoldsTheBestLapAndASlowerRunLeavesItAlone)
{
    TempWorkDir dir;
    const ReplayCounts fast = flyAndExit(20240611, {15.0f, 17.0f, 16.5f});
    ASSERT_GE(fast.laps, 2);
    const std::string written = readWholeFile(GHOST_FILE);
    GhostLap lap;
    ASSERT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_OK);
    EXPECT_EQ(lap.lapTime, fast.bestLapMs);
    ASSERT_EQ(lap.gateTimes.size(), static_cast<size_t>(GHOST_GATE_TIMES));
    for (size_t g = 1; g < lap.gateTimes.size(); ++g) {
        EXPECT_GT(lap.gateTimes[g], lap.gateTimes[g - 1]);
    }
    EXPECT_EQ(lap.gateTimes.back(), lap.lapTime);
    // Flown at every frame: no gap between samples much beyond a frame.
    for (size_t s = 1; s < lap.samples.size(); ++s) {
        EXPECT_LE(lap.samples[s].time - lap.samples[s - 1].time, 17.0f + 0.01f);
    }

    const ReplayCounts slow = flyAndExit(20240611, {16.5f});
    ASSERT_GE(slow.laps, 1);
    ASSERT_GT(slow.bestLapMs, fast.bestLapMs) << "the second run is meant to be slower";
    EXPECT_EQ(readWholeFile(GHOST_FILE), written);
}
