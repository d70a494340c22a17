// Laps recorded as the frame loop steps them, proved by flying them again,
// watched, and the replay file under tampering, hostile bytes and the exit's
// rules.
#include "app/loop/game.h"
#include "app/race/replay_player.h"
#include "app/race/replay_verify.h"
#include "replay/replay.h"
#include "replay/world_digest.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

namespace {

// The golden run's recorded play (three laps in 20000 frames) through the
// game's own handlers and frame driver.
std::unique_ptr<ReplaySession> flyGoldenRun(int frames)
{
    std::ifstream in(std::string(std::getenv("VOREL_SOURCE_DIR")) + "/tests/replay/input_script.txt");
    InputScript script;
    std::string error;
    EXPECT_TRUE(parseInputScript(in, script, error)) << error;
    auto session = std::make_unique<ReplaySession>(script);
    std::size_t next = 0;
    for (int f = 0; f < frames; ++f) {
        for (; next < script.events.size() && script.events[next].frame == f; ++next) {
            EXPECT_TRUE(session->deliver(script.events[next], error)) << error;
        }
        session->runFrame();
    }
    EXPECT_TRUE(session->game().laps.hasBest);
    return session;
}

std::string floatHex(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[16];
    std::snprintf(text, sizeof text, "%08x", bits);
    return text;
}

// Status and printed line of `vorel --verify` on bytes written to "lap.replay".
std::pair<int, std::string> verifyBytes(const std::string& bytes)
{
    writeWholeFile("lap.replay", bytes);
    int status = -1;
    const std::string out = captureStdout([&] { status = verifyReplayFile("lap.replay"); });
    return {status, out};
}

}  // namespace

TEST(LapReplay, TheBestLapOfARunVerifiesAndEveryTamperingFails)
{
    TempWorkDir dir;
    const std::unique_ptr<ReplaySession> session = flyGoldenRun(20000);
    const LapReplay& best = session->game().laps.best;
    const float bestLapMs = session->counts().bestLapMs;
    ASSERT_EQ(best.lapTime, bestLapMs);
    const LapRerun rerun = rerunLap(best);
    EXPECT_EQ(rerun.check, LapCheck::MATCHES);
    EXPECT_EQ(rerun.lapTime, bestLapMs);

    const std::string text = formatReplay(best);
    auto [status, line] = verifyBytes(text);
    EXPECT_EQ(status, 0);
    char expected[64];
    std::snprintf(expected, sizeof expected, "lap.replay: lap %.3f s\n", bestLapMs / 1000.0);
    EXPECT_EQ(line, expected);
    LapReplay again;
    ASSERT_EQ(parseReplay(text, again), REPLAY_FILE_OK);
    EXPECT_EQ(formatReplay(again), text);

    // A lap time a millisecond faster than flown.
    std::string faster = text;
    const std::string lapLine = "lap " + floatHex(bestLapMs) + "\n";
    ASSERT_EQ(faster.find(lapLine), text.find("\nlap ") + 1);
    faster.replace(faster.find(lapLine), lapLine.size(), "lap " + floatHex(bestLapMs - 1.0f) + "\n");
    std::tie(status, line) = verifyBytes(faster);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line.rfind("Replay does not verify: lap.replay: the lap ends at another time", 0), 0u) << line;

    // One frame's thrust let go, half-way through the lap.
    const std::size_t frames = text.find("\nframes ");
    std::size_t frame = frames;
    for (std::size_t k = 0; k < best.frames.count() / 2; ++k) {
        frame = text.find('\n', frame + 1);
    }
    std::string coasting = text;
    const std::size_t thrust = frame + 10;  // after the 8-digit clock and its space
    if (coasting[thrust] == '-') {
        coasting.replace(thrust, 2, "0");
    } else {
        coasting[thrust] = coasting[thrust] == '1' ? '0' : '1';
    }
    std::tie(status, line) = verifyBytes(coasting);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line.rfind("Replay does not verify: lap.replay: ", 0), 0u) << line;

    // Cut short: the frames stop in the middle.
    std::tie(status, line) = verifyBytes(text.substr(0, frame));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line, "Error reading file: lap.replay\n");
}

TEST(LapReplay, HostileFilesAreNamedInOneLineAndRefused)
{
    TempWorkDir dir;
    // A replay the reader accepts, but from a run's start rather than a lap's.
    auto runStart = std::make_unique<LapReplay>();
    setUpWorld(runStart->start, 7);
    runStart->lapTime = 60000.0f;
    runStart->frames.append(FrameInput{20.0f, 0, 0, {}});
    const std::string good = formatReplay(*runStart);
    const std::string newer = "vorel-replay 2\nlap zz\n";
    const std::string hugeLine = "vorel-replay 1\nlap " + std::string(5 << 20, '4') + "\n";
    for (const std::string& bytes : {std::string(), std::string("\x7f" "ELF\x01\x02 garbage"), newer, hugeLine,
                                     good.substr(0, good.size() / 2), good + "x"}) {
        auto [status, line] = verifyBytes(bytes);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(line, "Error reading file: lap.replay\n") << bytes.substr(0, 40);
    }
    // A lap that never started at the gate is refused by the flight, not the reader.
    auto [status, line] = verifyBytes(good);
    EXPECT_EQ(status, 1);
    EXPECT_NE(line.find("it does not start at the start gate"), std::string::npos) << line;

    std::filesystem::create_directory("folder.replay");
    for (const char* path : {"folder.replay", "missing.replay"}) {
        int code = -1;
        EXPECT_EQ(captureStdout([&] { code = verifyReplayFile(path); }), std::string("Error opening file: ") + path + "\n");
        EXPECT_EQ(code, 1);
    }
}

TEST(LapReplay, RecorderKeepsTheFastestWholeLapAndDropsARestartedOne)
{
    auto world = std::make_unique<World>();
    setUpWorld(*world, 7);
    world->lapStartTime = 100.0f;
    LapRecorder recorder;
    auto step = [&](float clock, std::initializer_list<FrameEvent> happened) {
        FrameEvents events;
        for (const FrameEvent& e : happened) {
            events.push(e);
        }
        recorder.onStep(*world, FrameInput{clock, 1, 0, {}}, events);
    };
    const FrameEvent gate0{EVENT_GATE_PASSED, -1, -1, 0};
    auto lap = [](float ms) { return FrameEvent{EVENT_LAP_ENDED, -1, -1, -1, ms}; };

    step(100.0f, {gate0});
    step(200.0f, {});
    step(300.0f, {gate0, lap(200.0f)});  // ends one lap and begins the next
    ASSERT_TRUE(recorder.hasBest);
    EXPECT_EQ(recorder.best.frames.count(), 2u);
    EXPECT_EQ(recorder.best.start.lapStartTime, 100.0f);
    EXPECT_EQ(recorder.best.endPrint, worldPrint(*world));
    step(350.0f, {FrameEvent{EVENT_LAP_RESTARTED}});
    step(400.0f, {gate0, lap(50.0f)});   // a restarted lap is no lap
    step(650.0f, {gate0, lap(250.0f)});  // slower than the best
    EXPECT_EQ(recorder.best.lapTime, 200.0f);
    step(800.0f, {gate0, lap(150.0f)});
    EXPECT_EQ(recorder.best.lapTime, 150.0f);
    EXPECT_EQ(recorder.best.frames.count(), 1u);
}

TEST(LapReplay, ExitWritesTheBestLapOnlyOverASlowerOrUnusableFile)
{
    TempWorkDir dir;
    LapRecorder recorder;
    saveBestLapReplay(recorder);  // no lap: nothing written
    EXPECT_FALSE(std::filesystem::exists(BESTLAP_REPLAY_FILE));
    recorder.hasBest = true;
    setUpWorld(recorder.best.start, 7);
    recorder.best.lapTime = 60000.0f;
    FrameInput input{20.0f, -1, 1, {}};
    input.fire();
    for (int k = 0; k < 20; ++k) {
        input.look(0.25f, -1e-3f * k);  // more commands than a frame's head byte counts
    }
    recorder.best.frames.append(input);

    const std::string later = "vorel-replay 9\nfrom a later game\n";
    writeWholeFile(BESTLAP_REPLAY_FILE, later);
    saveBestLapReplay(recorder);
    EXPECT_EQ(readWholeFile(BESTLAP_REPLAY_FILE), later);
    writeWholeFile(BESTLAP_REPLAY_FILE, "not a replay");
    saveBestLapReplay(recorder);
    const std::string written = readWholeFile(BESTLAP_REPLAY_FILE);
    LapReplay stored;
    ASSERT_EQ(readReplayFile(BESTLAP_REPLAY_FILE, stored), REPLAY_FILE_OK);
    FrameInput back;
    std::size_t offset = 0;
    ASSERT_TRUE(stored.frames.read(offset, back));
    EXPECT_TRUE(back.clockMs == input.clockMs && back.thrust == -1 && back.roll == 1);
    EXPECT_EQ(back.commands, input.commands);

    recorder.best.lapTime = 70000.0f;  // slower than the stored lap
    saveBestLapReplay(recorder);
    EXPECT_EQ(readWholeFile(BESTLAP_REPLAY_FILE), written);
    recorder.best.lapTime = 50000.0f;
    saveBestLapReplay(recorder);
    ASSERT_EQ(readReplayFile(BESTLAP_REPLAY_FILE, stored), REPLAY_FILE_OK);
    EXPECT_EQ(stored.lapTime, 50000.0f);
}

TEST(LapReplay, WatchingPlaysTheLapToItsEndAtEverySpeedAndLeavesTheLiveWorldAlone)
{
    TempWorkDir dir;
    const std::unique_ptr<ReplaySession> session = flyGoldenRun(12000);  // two laps
    const Game& live = session->game();
    writeWholeFile(BESTLAP_REPLAY_FILE, formatReplay(live.laps.best));
    const uint64_t liveBefore = worldHash(live.world);

    auto player = std::make_unique<ReplayPlayer>();
    EXPECT_EQ(player->load("none.replay", live.world), REPLAY_FILE_MISSING);
    ASSERT_EQ(player->load(BESTLAP_REPLAY_FILE, live.world), REPLAY_FILE_OK);
    EXPECT_EQ(player->world.asteroids[3].meshes, live.world.asteroids[3].meshes);
    for (int k = 0; k < 3; ++k) {
        player->faster();  // the last one beyond ×4
    }
    EXPECT_GT(player->advance(1000.0f), 0);
    // A second at ×4 is four of the lap, to within a recorded frame.
    EXPECT_NEAR(player->lapClockMs(), 4000.0f, 20.0f);
    player->togglePause();
    EXPECT_EQ(player->advance(1000.0f), 0);
    player->togglePause();
    for (int k = 0; k < 5; ++k) {
        player->slower();
    }
    player->advance(400.0f);
    EXPECT_NEAR(player->lapClockMs(), 4100.0f, 20.0f);
    while (!player->finished()) {
        player->advance(16.0f);
    }
    EXPECT_EQ(player->lapClockMs(), live.laps.best.lapTime);
    EXPECT_EQ(worldPrint(player->world), live.laps.best.endPrint);
    EXPECT_EQ(worldHash(live.world), liveBefore);

    // The chase camera sits behind and above the craft and looks past it.
    player->toggleCamera();
    const Camera& craft = player->world.shown.camera;
    const CameraPose chase = player->viewPose();
    const Vec3 back = vec3Add(craft.position, vec3Negate(chase.eye));
    const Vec3 ahead = vec3Add(chase.center, vec3Negate(craft.position));
    EXPECT_NEAR(back.dot(craft.view), CHASE_DISTANCE, 1e-9);
    EXPECT_NEAR(back.dot(craft.up), -CHASE_HEIGHT, 1e-9);
    EXPECT_NEAR(ahead.dot(craft.view), CHASE_LOOK_AHEAD, 1e-9);
}
