// The autopilot: the whole game, started as start-up starts it in a copy of
// the run directory, flown for two laps by a scripted pilot through the
// game's own input handlers while the real frame driver runs on the real
// clock, then ended by the real exit sequence.
//   vorel_autopilot <run directory>
#include "app/display_frame.h"
#include "app/display_mode.h"
#include "app/high_scores.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/timer.h"
#include "geometry/octree.h"
#include "render/lighting.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/platform_hooks.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "sim/world_state.h"
#include "sound/sound.h"
#include "support/file_capture.h"
#include "support/gl_window.h"
#include "support/scratch_dir.h"
#include "tests/autopilot/course_pilot.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string runDirectory;

constexpr uint32_t FIELD_SEED = 20261207;
constexpr int LAPS_TO_FLY = 2;
// The pilot gives up (and the test fails) after this much real time.
constexpr double FLYING_LIMIT_S = 300.0;
const char* const PLAYER = "Autopilot";
// Laps already on the list: one faster than any lap the craft can fly, two slower.
const char* const OLD_LIST = "Ace 20.000000\nRookie 240.000000\nSnail 600.500000\n";

struct Cue {
    int frame;
    bool play;
    int channel;
    int value;
};

class CueRecorder : public SoundOutput {
public:
    void playSample(int channel, int slot) override { cues.push_back({frame, true, channel, slot}); }
    void setVolume(int channel, int volume) override { cues.push_back({frame, false, channel, volume}); }
    int frame = 0;
    std::vector<Cue> cues;
};

// A gate pass as the pilot saw it: the clock just before and just after the
// frame in which the course moved on.
struct Pass {
    int gate;
    int frame;
    float before;
    float after;
    float lastLap;  // lastLapTime after the frame
};

CoursePilot pilot;
int warps = 0;
int exitStatus = -1;

void warpAndTell(int x, int y)
{
    ++warps;
    pilot.pointerWarped(x, y);
    glutWarpPointer(x, y);
}

void keepProcess(int status)
{
    exitStatus = status;
}

void drawNothing() {}

// The pilot's clicks come straight to the handler, not through the toolkit's
// event dispatch, whose modifier state exists only inside a callback; the
// pilot holds no modifier key.
int noModifiers()
{
    return 0;
}

// Start-up as the game runs it, up to its main loop, with a fixed field and
// the sound cues going to the recorder.
void startGame(CueRecorder& recorder)
{
    randomSeed(FIELD_SEED);
    loadWorld();
    timerInit();
    frameClock = timerGetTime;
    soundSetOutput(&recorder);

    ensureGlWindow();
    installPlatformHooks();
    platformHooks.warpPointer = warpAndTell;
    platformHooks.exitProcess = keepProcess;
    platformHooks.modifiers = noModifiers;
    platformHooks.closeSound = nullptr;
    prepareGraphics();
    // The pilot calls displayFrame itself, as the idle callback would; the
    // event pump between frames only delivers input (the pointer warps' own
    // motion events) to the registered handlers.
    glutDisplayFunc(drawNothing);
    glutIdleFunc(nullptr);
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

// The shortest a lap can take: every leg from gate to gate, less the corners
// of the two pass cubes, at top speed (0.6 per 16.5 ms).
float fastestPossibleLapMs()
{
    double distance = 0.0;
    for (int i = 0; i < gateCount; ++i) {
        const GatePlace& a = courseTable[i];
        const GatePlace& b = courseTable[(i + 1) % gateCount];
        const double leg = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z));
        distance += std::fmax(0.0, leg - 2.0 * GATE_PASS_REACH * std::sqrt(3.0));
    }
    return static_cast<float>(distance / TOP_SPEED * 16.5);
}

TEST(Autopilot, FliesTwoTimedLapsAndSavesTheBest)
{
    ASSERT_FALSE(runDirectory.empty());
    ScratchDir dir;
    fs::copy(runDirectory, dir.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_TRUE(fs::exists("tor.txt")) << "no generated data in " << runDirectory;
    dir.write("vorel.ini", std::string("res:1024x768\nbpp:32\nhz:60\nname:") + PLAYER + "\n");
    dir.write("bestenliste.txt", OLD_LIST);

    CueRecorder recorder;
    startGame(recorder);
    ASSERT_STREQ(playerName, PLAYER);
    ASSERT_EQ(highScoreList.size(), 3);

    // The first frame's step covers all of start-up, at rest. Then the run
    // goes on at top speed, which thrust alone reaches only after minutes,
    // so that two laps take about a minute and a half.
    displayFrame();
    flightSpeed = TOP_SPEED;
    flightDirection = camera.view;

    std::vector<Pass> passes;
    int completedLaps = 0;
    int frame = 1;
    const auto started = std::chrono::steady_clock::now();
    double flying = 0.0;
    while (completedLaps < LAPS_TO_FLY && flying < FLYING_LIMIT_S) {
        glutMainLoopEvent();
        recorder.frame = frame;
        pilot.act(frame);
        const int expected = activeGate();
        const float before = timerGetTime();
        displayFrame();
        const float after = timerGetTime();
        if (activeGate() != expected) {
            passes.push_back({expected, frame, before, after, lastLapTime});
            if (expected == 0 && passes.size() > 1) {
                ++completedLaps;
            }
        }
        ++frame;
        flying = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    glutMainLoopEvent();
    std::printf("autopilot: %d frames in %.1f s, %.1f frames per second; %d shots, %d thrust re-presses, %d pointer warps\n",
                frame, flying, frame / flying, pilot.shotsFired(), pilot.thrustRepresses(), warps);
    ASSERT_EQ(completedLaps, LAPS_TO_FLY) << "the pilot did not finish two laps within " << FLYING_LIMIT_S << " s";

    // The course in order, twice round and back to the start.
    std::vector<int> order;
    for (const Pass& p : passes) {
        order.push_back(p.gate);
    }
    std::vector<int> course;
    for (int lap = 0; lap < LAPS_TO_FLY; ++lap) {
        for (int g = 0; g < gateCount; ++g) {
            course.push_back(g);
        }
    }
    course.push_back(0);
    ASSERT_EQ(order, course);

    // Each lap as the pilot measured it on the same clock: between the two
    // frames that passed gate 0.
    std::vector<float> laps;
    const float fastest = fastestPossibleLapMs();
    for (int lap = 1; lap <= LAPS_TO_FLY; ++lap) {
        const Pass& start = passes[static_cast<size_t>((lap - 1) * gateCount)];
        const Pass& end = passes[static_cast<size_t>(lap * gateCount)];
        const float time = end.lastLap;
        std::printf("autopilot: lap %d %.3f s (the pilot saw %.3f to %.3f s)\n", lap, time / 1000.0,
                    (end.before - start.after) / 1000.0, (end.after - start.before) / 1000.0);
        EXPECT_GE(time, end.before - start.after) << "lap " << lap;
        EXPECT_LE(time, end.after - start.before) << "lap " << lap;
        EXPECT_GT(time, fastest) << "lap " << lap << " faster than top speed allows";
        laps.push_back(time);
    }
    EXPECT_EQ(passes.front().lastLap, 0.0f) << "the first pass of gate 0 only starts the clock";
    EXPECT_EQ(lastLapTime, laps.back());
    EXPECT_EQ(bestLapTime, std::min(laps[0], laps[1]));

    // Every pass chimes on channel 3 at volume 120; gate 0 ends a lap with
    // the best-lap or the normal-lap sample on channel 4.
    std::vector<std::string> heard;
    std::vector<std::string> expected;
    for (const Cue& c : recorder.cues) {
        if (c.channel == CHANNEL_GATE || c.channel == CHANNEL_LAP) {
            std::ostringstream s;
            s << "frame " << c.frame << (c.play ? " play " : " volume ") << c.channel << " " << c.value;
            heard.push_back(s.str());
        }
    }
    float best = NO_LAP_TIME;
    for (size_t k = 0; k < passes.size(); ++k) {
        const int f = passes[k].frame;
        expected.push_back("frame " + std::to_string(f) + " play 3 " + std::to_string(SAMPLE_GATE));
        expected.push_back("frame " + std::to_string(f) + " volume 3 120");
        if (passes[k].gate == 0 && k > 0) {
            const float lap = laps[k / gateCount - 1];
            const int sample = lap < best ? SAMPLE_BEST_LAP : SAMPLE_NORMAL_LAP;
            best = std::min(best, lap);
            expected.push_back("frame " + std::to_string(f) + " play 4 " + std::to_string(sample));
        }
    }
    EXPECT_EQ(heard, expected);

    // Every pointer warp came back from the X server as a motion event and
    // was taken for what it is.
    EXPECT_GT(warps, 0);
    EXPECT_EQ(pendingPointerEchoCount(), 0);

    // Escape: the exit sequence writes the best lap among the old ones.
    onKeyDown(KEY_ESCAPE, 0, 0);
    EXPECT_EQ(exitStatus, 0);
    char line[64];
    std::snprintf(line, sizeof line, "%s %f\n", PLAYER, static_cast<double>(bestLapTime) / 1000.0);
    EXPECT_TRUE(std::regex_match(std::string(line), std::regex("Autopilot [0-9]+\\.[0-9]{6}\n")));
    EXPECT_EQ(readWholeFile("bestenliste.txt"),
              std::string("Ace 20.000000\n") + line + "Rookie 240.000000\nSnail 600.500000\n");
    soundSetOutput(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        runDirectory = fs::absolute(argv[1]).string();
    }
    return RUN_ALL_TESTS();
}
