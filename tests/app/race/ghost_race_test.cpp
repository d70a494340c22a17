#include "app/hud/ghost_overlay_text.h"
#include "app/loop/game.h"
#include "app/race/ghost_race.h"
#include "sim/course.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Gates at 100, 200, ... 1000 ms, the lap 1100 ms; the ghost flies out along
// +y and +x and comes back.
const char* const STORED =
    "vorel-ghost 1\nlap 1100\ngates 11\n100 200 300 400 500 600 700 800 900 1000 1100\n"
    "samples 3\n"
    "0 -220 0 0 1 0 0 0 0 1\n"
    "500 -200 100 5 0 1 0 0 0 1\n"
    "1100 -220 0 0 1 0 0 0 0 1\n";

FrameEvent gatePassed(int gate)
{
    FrameEvent e;
    e.kind = EVENT_GATE_PASSED;
    e.gate = gate;
    return e;
}

FrameEvent lapEnded(float lapMs, bool best)
{
    FrameEvent e;
    e.kind = EVENT_LAP_ENDED;
    e.lapTime = lapMs;
    e.bestLap = best;
    return e;
}

class GhostRaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeWholeFile(GHOST_FILE, STORED);
        // The craft as the frame shows it, which the race records.
        world.shown.camera.view = Vec3{1.0, 0.0, 0.0};
        world.shown.camera.up = Vec3{0.0, 0.0, 1.0};
        printed = captureStdout([this] { toggleGhost(game); });
        // The lap clock starts at the pass of gate 0 at 1000 ms.
        world.lapStartTime = START;
        handOver(gatePassed(0), START);
    }

    // The event as the app hands a frame's events to the race at nowMs.
    void handOver(const FrameEvent& event, float nowMs)
    {
        game.events.clear();
        game.events.push(event);
        raceGhostEvents(game, nowMs);
        game.events.clear();
    }
    bool ghostPose(float nowMs, GhostPose& pose) const
    {
        return game.ghost.ghostPose(nowMs, world.lapStartTime, game.view.showGhost != 0, pose);
    }
    bool splitShowing(float nowMs, float& split) const
    {
        return game.ghost.splitShowing(nowMs, game.view.showGhost != 0, split);
    }

    static constexpr float START = 1000.0f;
    TempWorkDir dir;
    std::unique_ptr<Game> owned{new Game};
    Game& game = *owned;
    World& world = game.world;
    std::string printed;
};

}  // namespace

TEST_F(GhostRaceTest, FliesTheStoredLapInTimeWithTheLapClock)
{
    // No craft model in this directory: its one line, and the race goes on.
    EXPECT_EQ(printed, "Error opening file: craft.txt\n");
    GhostPose pose;
    ASSERT_TRUE(ghostPose(START + 250.0f, pose));
    EXPECT_NEAR(pose.position.x, -210.0, 1e-4);
    EXPECT_NEAR(pose.position.y, 50.0, 1e-4);
    EXPECT_NEAR(pose.position.z, 2.5, 1e-4);
    EXPECT_NEAR(pose.view.x, std::sqrt(0.5), 1e-6);
    ASSERT_TRUE(ghostPose(START + 800.0f, pose));
    EXPECT_NEAR(pose.position.x, -210.0, 1e-4);
    EXPECT_NEAR(pose.position.y, 50.0, 1e-4);
    // Gone once its lap is over, and not drawn while the option is off.
    EXPECT_FALSE(ghostPose(START + 1100.5f, pose));
    toggleGhost(game);
    EXPECT_FALSE(ghostPose(START + 250.0f, pose));
    OverlayLines lines;
    composeGhostOverlay(lines, game, START + 250.0f);
    EXPECT_EQ(lines.count, 0);
}

TEST_F(GhostRaceTest, ShowsTheSplitAtEachGateForTwoSeconds)
{
    // Gate g passed at 95·g ms: 5·g ms ahead of the ghost's 100·g.
    for (int g = 1; g < gateCount; ++g) {
        const float now = START + 95.0f * static_cast<float>(g);
        handOver(gatePassed(g), now);
        float split = 0.0f;
        ASSERT_TRUE(splitShowing(now, split));
        EXPECT_FLOAT_EQ(split, -5.0f * static_cast<float>(g));
    }
    // The lap ends at 1550 ms against the ghost's 1100: behind, in red.
    world.lapStartTime = START + 1550.0f;
    handOver(gatePassed(0), world.lapStartTime);
    handOver(lapEnded(1550.0f, true), world.lapStartTime);
    OverlayLines lines;
    composeGhostOverlay(lines, game, world.lapStartTime + 1999.0f);
    ASSERT_EQ(lines.count, 2);
    EXPECT_STREQ(lines.lines[0].text, "GHOST");
    EXPECT_STREQ(lines.lines[1].text, "+0.45");
    EXPECT_EQ(lines.lines[1].red, 1.0f);
    lines.count = 0;
    composeGhostOverlay(lines, game, world.lapStartTime + 2000.0f);
    EXPECT_EQ(lines.count, 1) << "the split outlived its two seconds";
}

TEST_F(GhostRaceTest, AFasterLapOfTheRunBecomesTheGhostRaced)
{
    for (int g = 1; g < gateCount; ++g) {
        handOver(gatePassed(g), START + 90.0f * static_cast<float>(g));
    }
    world.shown.camera.position = Vec3{-219.0, 1.0, 0.0};
    world.lapStartTime = START + 990.0f;
    handOver(gatePassed(0), world.lapStartTime);
    handOver(lapEnded(990.0f, true), world.lapStartTime);
    float split = 0.0f;
    ASSERT_TRUE(splitShowing(world.lapStartTime, split));
    EXPECT_FLOAT_EQ(split, -110.0f);
    OverlayLines lines;
    composeGhostOverlay(lines, game, world.lapStartTime);
    EXPECT_STREQ(lines.lines[1].text, "-0.11");
    EXPECT_EQ(lines.lines[1].green, 1.0f);

    ASSERT_EQ(game.ghost.raced(), &game.ghost.candidate);
    EXPECT_EQ(game.ghost.candidate.lapTime, 990.0f);
    EXPECT_TRUE(game.ghost.shouldSave());
    GhostPose pose;
    ASSERT_TRUE(ghostPose(world.lapStartTime + 990.0f, pose));
    EXPECT_DOUBLE_EQ(pose.position.x, -219.0);
}

// The exit writes the run's best lap over nothing, a slower ghost or a broken
// file, and never over a faster ghost or a file of a later format.
TEST(GhostSave, ReplacesOnlyWhatTheRunsBestLapBeats)
{
    TempWorkDir dir;
    std::unique_ptr<Game> game{new Game};
    GhostLap stored;
    ASSERT_EQ(parseGhost(STORED, stored), GHOST_FILE_OK);
    GhostLap faster = stored;
    faster.lapTime = faster.gateTimes.back() = faster.samples.back().time = 1050.0f;
    const std::string fasterText = formatGhost(faster);
    const std::string newer = std::string("vorel-ghost 2\n") + (STORED + std::strlen("vorel-ghost 1\n"));
    struct Case {
        const char* before;  // nullptr: no file
        const GhostLap& best;
        std::string after;
    };
    const Case cases[] = {
        {nullptr, faster, fasterText},
        {STORED, faster, fasterText},
        {"vorel-ghost 1\nlap x\n", faster, fasterText},
        {fasterText.c_str(), stored, fasterText},
        {fasterText.c_str(), faster, fasterText},
        {newer.c_str(), faster, newer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before ? c.before : "(no file)");
        std::remove(GHOST_FILE);
        if (c.before) {
            writeWholeFile(GHOST_FILE, c.before);
        }
        game->ghost.reset();
        game->ghost.candidate = c.best;
        game->ghost.hasCandidate = true;
        EXPECT_EQ(captureStdout([&] { saveGhost(*game); }), "");
        EXPECT_EQ(readWholeFile(GHOST_FILE), c.after);
    }
    // A run without a completed lap leaves no file.
    std::remove(GHOST_FILE);
    game->ghost.reset();
    saveGhost(*game);
    EXPECT_EQ(dir.listing(), "");
}
