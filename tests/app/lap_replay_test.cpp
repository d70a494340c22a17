// Laps recorded as the frame loop steps them, proved by flying them again,
// and the replay file under tampering, hostile bytes and the exit's rules.
#include "app/game.h"
#include "app/replay_file.h"
#include "app/replay_verify.h"
#include "replay/replay.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

namespace {

// The golden run: recorded play with three laps, replayed through the game's
// own handlers and frame driver.
std::unique_ptr<LapReplay> flyGoldenRun(float& bestLapMs)
{
    std::ifstream in(std::string(std::getenv("VOREL_SOURCE_DIR")) + "/tests/replay/input_script.txt");
    InputScript script;
    std::string error;
    EXPECT_TRUE(parseInputScript(in, script, error)) << error;
    ReplaySession session(script);
    std::size_t next = 0;
    for (int f = 0; f < script.frameCount; ++f) {
        for (; next < script.events.size() && script.events[next].frame == f; ++next) {
            EXPECT_TRUE(session.deliver(script.events[next], error)) << error;
        }
        session.runFrame();
    }
    bestLapMs = session.counts().bestLapMs;
    EXPECT_TRUE(session.game().laps.hasBest);
    auto best = std::make_unique<LapReplay>();
    best->start = session.game().laps.best.start;
    best->frames = session.game().laps.best.frames;
    best->lapTime = session.game().laps.best.lapTime;
    best->endPrint = session.game().laps.best.endPrint;
    return best;
}

std::string floatHex(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[16];
    std::snprintf(text, sizeof text, "%08x", bits);
    return text;
}

// A replay the reader accepts whose start is a run's start, not a lap's.
std::unique_ptr<LapReplay> runStartReplay(const FrameInput& input)
{
    auto replay = std::make_unique<LapReplay>();
    setUpWorld(replay->start, 7);
    replay->lapTime = 60000.0f;
    replay->frames.append(input);
    return replay;
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
    float bestLapMs = 0.0f;
    const std::unique_ptr<LapReplay> best = flyGoldenRun(bestLapMs);
    ASSERT_EQ(best->lapTime, bestLapMs);
    const LapRerun rerun = rerunLap(*best);
    EXPECT_EQ(rerun.check, LapCheck::MATCHES);
    EXPECT_EQ(rerun.lapTime, bestLapMs);

    const std::string text = formatReplay(*best);
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
    for (std::size_t k = 0; k < best->frames.count() / 2; ++k) {
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
    FrameInput input;
    input.clockMs = 20.0f;
    const std::string good = formatReplay(*runStartReplay(input));
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
    LapRecorder recorder;
    FrameInput input;
    auto step = [&](float clock, std::initializer_list<FrameEvent> happened) {
        FrameEvents events;
        for (const FrameEvent& e : happened) {
            events.push(e);
        }
        input.clockMs = clock;
        recorder.onStep(*world, input, events);
    };
    FrameEvent gate0;
    gate0.kind = EVENT_GATE_PASSED;
    gate0.gate = 0;
    FrameEvent lap;
    lap.kind = EVENT_LAP_ENDED;
    FrameEvent restart;
    restart.kind = EVENT_LAP_RESTARTED;

    world->lapStartTime = 100.0f;
    step(100.0f, {gate0});
    step(200.0f, {});
    lap.lapTime = 200.0f;
    step(300.0f, {gate0, lap});  // ends one lap and begins the next
    ASSERT_TRUE(recorder.hasBest);
    EXPECT_EQ(recorder.best.lapTime, 200.0f);
    EXPECT_EQ(recorder.best.frames.count(), 2u);
    EXPECT_EQ(recorder.best.start.lapStartTime, 100.0f);
    EXPECT_EQ(recorder.best.endPrint, worldPrint(*world));

    step(350.0f, {restart});
    lap.lapTime = 50.0f;
    step(400.0f, {gate0, lap});  // a restarted lap is no lap
    EXPECT_EQ(recorder.best.lapTime, 200.0f);
    lap.lapTime = 250.0f;
    step(650.0f, {gate0, lap});  // slower than the best
    EXPECT_EQ(recorder.best.lapTime, 200.0f);
    lap.lapTime = 150.0f;
    step(800.0f, {gate0, lap});
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
    FrameInput input;
    input.clockMs = 20.0f;
    input.thrust = -1;
    input.roll = 1;
    input.look(0.25f, -0.5f);
    input.fire();
    for (int k = 0; k < 20; ++k) {
        input.look(0.0f, 1e-3f * k);  // more commands than a frame's byte counts
    }
    recorder.best.frames.append(input);

    writeWholeFile(BESTLAP_REPLAY_FILE, "vorel-replay 9\nfrom a later game\n");
    saveBestLapReplay(recorder);
    EXPECT_EQ(readWholeFile(BESTLAP_REPLAY_FILE), "vorel-replay 9\nfrom a later game\n");

    writeWholeFile(BESTLAP_REPLAY_FILE, "not a replay");
    saveBestLapReplay(recorder);
    const std::string written = readWholeFile(BESTLAP_REPLAY_FILE);
    LapReplay stored;
    ASSERT_EQ(readReplayFile(BESTLAP_REPLAY_FILE, stored), REPLAY_FILE_OK);
    FrameInput back;
    std::size_t offset = 0;
    ASSERT_TRUE(stored.frames.read(offset, back));
    EXPECT_EQ(back.clockMs, input.clockMs);
    EXPECT_EQ(back.thrust, -1);
    EXPECT_EQ(back.roll, 1);
    EXPECT_EQ(back.commands, input.commands);

    recorder.best.lapTime = 70000.0f;  // slower than the stored lap
    saveBestLapReplay(recorder);
    EXPECT_EQ(readWholeFile(BESTLAP_REPLAY_FILE), written);
    recorder.best.lapTime = 50000.0f;
    saveBestLapReplay(recorder);
    ASSERT_EQ(readReplayFile(BESTLAP_REPLAY_FILE, stored), REPLAY_FILE_OK);
    EXPECT_EQ(stored.lapTime, 50000.0f);
}
