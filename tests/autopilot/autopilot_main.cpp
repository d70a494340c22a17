// The autopilot: the whole game, started as start-up starts it in a copy of
// the run directory, flown by a scripted pilot through the game's own input
// handlers while the real frame driver draws every frame into a real window,
// then ended by the real exit sequence. Two laps fly on a scripted clock, so
// that they take as long as the machine needs to draw them and their times
// are known exactly; a short flight on the real clock checks the timer; one
// lap is flown with a pad alone; and a pad alone drives the pause menu in the
// real main loop. With --replay-out, the replay of the best timed lap that the
// exit sequence saved is copied to FILE, for the game binary to verify.
//   vorel_autopilot [--replay-out FILE] <run directory> [--gtest_filter=...]
#include "app/files/high_scores.h"
#include "app/files/options.h"
#include "app/files/replay_file.h"
#include "app/files/settings.h"
#include "app/input/input.h"
#include "app/input/pads_sdl.h"
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/loop/startup.h"
#include "app/loop/timer.h"
#include "app/menu/menu.h"
#include "app/race/replay_verify.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/platform_hooks.h"
#include "sim/world.h"
#include "sound/sound.h"
#include "support/file_capture.h"
#include "support/gl_window.h"
#include "support/scratch_dir.h"
#include "tests/autopilot/course_pilot.h"
#include "tests/autopilot/pad_hands_sdl.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string runDirectory;
std::string replayOut;

constexpr uint32_t FIELD_SEED = 20261207;
constexpr int LAPS_TO_FLY = 2;
// The pilot gives up (and the test fails) after this much real time.
constexpr double FLYING_LIMIT_S = 300.0;
// On the real clock the pilot flies at most this long, to the second gate.
constexpr double SMOKE_FLIGHT_S = 10.0;
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
// frame in which the course moved on (the same reading on the scripted clock).
struct Pass {
    int gate;
    int frame;
    float before;
    float after;
    float lastLap;  // lastLapTime after the frame
};

// The scripted clock: frame n lasts FRAME_MS[n % 3] whatever the drawing
// took. Steps of 4 to 6 (what a loaded machine takes on the real clock) keep
// the frame count low, and they vary as on a real machine. Summed in double,
// so that a reading is the exact sum rounded once.
constexpr double FRAME_MS[] = {82.5, 99.0, 66.0};
constexpr int FRAME_PATTERN = 3;
double scriptedMs = 0.0;

float scriptedClock()
{
    return static_cast<float>(scriptedMs);
}

// The scripted time from the start of frame `from` to the start of frame `to`.
double scriptedSpan(int from, int to)
{
    double ms = 0.0;
    for (int f = from + 1; f <= to; ++f) {
        ms += FRAME_MS[f % FRAME_PATTERN];
    }
    return ms;
}

// The flying test's mouse and keys, if it flies with them, told of every
// pointer warp: the warp hook is a plain function.
MouseAndKeys* warpedHands = nullptr;
int warps = 0;
int exitStatus = -1;

void warpAndTell(int x, int y)
{
    ++warps;
    if (warpedHands != nullptr) {
        warpedHands->pointerWarped(x, y);
    }
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

// Start-up as the game runs it, up to its main loop, with a fixed field, the
// play clock's source clock and the sound cues going to the recorder.
void startUp(Game& game, float (*clock)(), CueRecorder& recorder)
{
    loadWorld(game, FIELD_SEED);
    timerInit();
    game.clockSource = clock;
    soundSetOutput(&recorder);

    ensureGlWindow();
    installPlatformHooks();
    platformHooks.warpPointer = warpAndTell;
    platformHooks.exitProcess = keepProcess;
    platformHooks.modifiers = noModifiers;
    platformHooks.closeSound = nullptr;
    prepareGraphics(game);
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

// A copy of the run directory with the pilot's settings and the old list,
// and the game started in it up to its first frame, at rest: that frame's
// step covers all of start-up. Then the craft goes on at top speed, which
// thrust alone reaches only after minutes. clock is the play clock's source:
// the scripted clock, from 0, or the game's own timer. hands, if the pilot
// flies with the mouse and keys, are told of the pointer's warps.
void enterGame(ScratchDir& dir, CueRecorder& recorder, Game& game, float (*clock)(), MouseAndKeys* hands)
{
    fs::copy(runDirectory, dir.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_TRUE(fs::exists("tor.txt")) << "no generated data in " << runDirectory;
    dir.write("vorel.ini", std::string("res:1024x768\nbpp:32\nhz:60\nname:") + PLAYER + "\n");
    dir.write("bestenliste.txt", OLD_LIST);
    scriptedMs = 0.0;
    warps = 0;
    warpedHands = hands;
    startUp(game, clock, recorder);
    ASSERT_STREQ(settingsRead.playerName, PLAYER);
    ASSERT_EQ(highScoreList.size(), 3);
    if (game.clockSource == scriptedClock) {
        scriptedMs += FRAME_MS[0];
    }
    displayFrame(game);
    game.world.flightSpeed = TOP_SPEED;
    game.world.flightDirection = game.world.camera.view;
}

struct Flight {
    std::vector<Pass> passes;
    int frames = 0;
    double seconds = 0.0;
};

// Frames from frame 1 on, the pilot acting before each, until the course has
// seen passesWanted passes or limitS seconds of real time went by.
Flight fly(Game& game, CoursePilot& pilot, CueRecorder& recorder, size_t passesWanted, double limitS)
{
    Flight flight;
    int frame = 1;
    const auto started = std::chrono::steady_clock::now();
    while (flight.passes.size() < passesWanted && flight.seconds < limitS) {
        glutMainLoopEvent();
        recorder.frame = frame;
        pilot.act(frame);
        const int expected = activeGate(game.world);
        if (game.clockSource == scriptedClock) {
            scriptedMs += FRAME_MS[frame % FRAME_PATTERN];
        }
        const float before = playClock(game);
        displayFrame(game);
        const float after = playClock(game);
        if (activeGate(game.world) != expected) {
            flight.passes.push_back({expected, frame, before, after, game.world.lastLapTime});
        }
        ++frame;
        flight.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    // The last frame's pointer warp comes back as a motion event.
    glutMainLoopEvent();
    flight.frames = frame;
    std::printf("autopilot: %d frames in %.1f s, %.1f frames per second; %d shots, %d thrust re-presses, %d pointer warps\n",
                frame, flight.seconds, frame / flight.seconds, pilot.shotsFired(), pilot.thrustRepresses(), warps);
    for (const Pass& p : flight.passes) {
        std::printf("autopilot: gate %d passed in frame %d at %.3f s\n", p.gate, p.frame, p.after / 1000.0);
    }
    return flight;
}

std::vector<int> gatesPassed(const Flight& flight)
{
    std::vector<int> order;
    for (const Pass& p : flight.passes) {
        order.push_back(p.gate);
    }
    return order;
}

// The course in order, laps times round and back to the start, and the time
// of each lap: from the frame that passed gate 0 to the frame that passed it
// again, on the scripted clock exactly the difference of the two readings and
// the sum of the frames' durations in between.
std::vector<float> timedLaps(const Flight& flight, int lapCount)
{
    std::vector<int> course;
    for (int lap = 0; lap < lapCount; ++lap) {
        for (int g = 0; g < gateCount; ++g) {
            course.push_back(g);
        }
    }
    course.push_back(0);
    std::vector<float> laps;
    EXPECT_EQ(gatesPassed(flight), course) << "after " << flight.seconds << " s";
    if (gatesPassed(flight) != course) {
        return laps;
    }
    const float fastest = fastestPossibleLapMs();
    for (int lap = 1; lap <= lapCount; ++lap) {
        const Pass& start = flight.passes[static_cast<size_t>((lap - 1) * gateCount)];
        const Pass& end = flight.passes[static_cast<size_t>(lap * gateCount)];
        const float time = end.lastLap;
        std::printf("autopilot: lap %d %.3f s over %d frames\n", lap, time / 1000.0, end.frame - start.frame);
        EXPECT_EQ(start.before, start.after);
        EXPECT_EQ(time, end.after - start.after) << "lap " << lap;
        EXPECT_NEAR(time, scriptedSpan(start.frame, end.frame), 0.02) << "lap " << lap;
        EXPECT_GT(time, fastest) << "lap " << lap << " faster than top speed allows";
        laps.push_back(time);
    }
    EXPECT_EQ(flight.passes.front().lastLap, 0.0f) << "the first pass of gate 0 only starts the clock";
    return laps;
}

// The sounds of the gates heard: every pass chimes on channel 3 at volume
// 120; gate 0 ends a lap (laps[k], from the second pass of gate 0 on) with
// the best-lap or the normal-lap sample on channel 4.
void expectGateSounds(const CueRecorder& recorder, const Flight& flight, const std::vector<float>& laps)
{
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
    for (size_t k = 0; k < flight.passes.size(); ++k) {
        const int f = flight.passes[k].frame;
        expected.push_back("frame " + std::to_string(f) + " play 3 " + std::to_string(SAMPLE_GATE));
        expected.push_back("frame " + std::to_string(f) + " volume 3 120");
        if (flight.passes[k].gate == 0 && k > 0) {
            const float lap = laps.at(k / gateCount - 1);
            const int sample = lap < best ? SAMPLE_BEST_LAP : SAMPLE_NORMAL_LAP;
            best = std::min(best, lap);
            expected.push_back("frame " + std::to_string(f) + " play 4 " + std::to_string(sample));
        }
    }
    EXPECT_EQ(heard, expected);
}

// Every pointer warp came back from the X server as a motion event and was
// taken for what it is.
void expectWarpsEchoed(const Game& game)
{
    EXPECT_GT(warps, 0);
    EXPECT_EQ(pendingPointerEchoCount(game), 0);
}

TEST(Autopilot, FliesTwoTimedLapsAndSavesTheBest)
{
    ASSERT_FALSE(runDirectory.empty());
    ScratchDir dir;
    CueRecorder recorder;
    const auto game = std::make_unique<Game>();
    MouseAndKeys hands(*game);
    CoursePilot pilot(*game, hands);
    enterGame(dir, recorder, *game, scriptedClock, &hands);
    if (HasFatalFailure()) {
        return;
    }
    const World& world = game->world;

    const Flight flight = fly(*game, pilot, recorder, LAPS_TO_FLY * gateCount + 1, FLYING_LIMIT_S);
    const std::vector<float> laps = timedLaps(flight, LAPS_TO_FLY);
    ASSERT_EQ(laps.size(), static_cast<size_t>(LAPS_TO_FLY));
    EXPECT_EQ(world.lastLapTime, laps.back());
    EXPECT_EQ(world.bestLapTime, std::min(laps[0], laps[1]));
    expectGateSounds(recorder, flight, laps);
    expectWarpsEchoed(*game);

    // Escape: the exit sequence writes the best lap among the old ones.
    onKeyDown(*game, KEY_ESCAPE);
    EXPECT_EQ(exitStatus, 0);
    char line[64];
    std::snprintf(line, sizeof line, "%s %f\n", PLAYER, static_cast<double>(world.bestLapTime) / 1000.0);
    EXPECT_TRUE(std::regex_match(std::string(line), std::regex("Autopilot [0-9]+\\.[0-9]{6}\n")));
    EXPECT_EQ(readWholeFile("bestenliste.txt"),
              std::string("Ace 20.000000\n") + line + "Rookie 240.000000\nSnail 600.500000\n");
    // Beside them the best lap's replay, which flies again to its time.
    const auto replay = std::make_unique<LapReplay>();
    ASSERT_EQ(readReplayFile(BESTLAP_REPLAY_FILE, *replay), REPLAY_FILE_OK);
    EXPECT_EQ(replay->lapTime, world.bestLapTime);
    EXPECT_EQ(rerunLap(*replay).check, LapCheck::MATCHES);
    if (!replayOut.empty()) {
        fs::copy_file(BESTLAP_REPLAY_FILE, replayOut, fs::copy_options::overwrite_existing);
    }
    soundSetOutput(nullptr);
}

// The game on its own timer: the pilot passes the start gate, which starts
// the lap clock inside the frame that saw it, and heads on for the next gate,
// which a loaded machine's long frames may not reach in the time given.
TEST(Autopilot, PassesTheStartGateOnTheRealClock)
{
    ASSERT_FALSE(runDirectory.empty());
    ScratchDir dir;
    CueRecorder recorder;
    const auto game = std::make_unique<Game>();
    MouseAndKeys hands(*game);
    CoursePilot pilot(*game, hands);
    enterGame(dir, recorder, *game, timerGetTime, &hands);
    if (HasFatalFailure()) {
        return;
    }
    const World& world = game->world;

    const Flight flight = fly(*game, pilot, recorder, 2, SMOKE_FLIGHT_S);
    const std::vector<int> order = gatesPassed(flight);
    ASSERT_FALSE(order.empty()) << "no gate within " << SMOKE_FLIGHT_S << " s";
    const std::vector<int> course{0, 1};
    EXPECT_EQ(order, std::vector<int>(course.begin(), course.begin() + static_cast<long>(order.size())));
    const Pass& start = flight.passes[0];
    EXPECT_GE(world.lapStartTime, start.before);
    EXPECT_LE(world.lapStartTime, start.after);
    EXPECT_LT(start.before, start.after);
    EXPECT_EQ(world.lastLapTime, 0.0f);
    expectGateSounds(recorder, flight, {});
    expectWarpsEchoed(*game);

    // No lap was completed: the exit sequence leaves the list as it was.
    onKeyDown(*game, KEY_ESCAPE);
    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(readWholeFile("bestenliste.txt"), OLD_LIST);
    soundSetOutput(nullptr);
}

// A pad alone flies a timed lap, read by the frame driver like any pad: no
// pointer motion, no key and no click reaches the game.
TEST(Autopilot, FliesATimedLapWithAPadAlone)
{
    ASSERT_FALSE(runDirectory.empty());
    ScratchDir dir;
    CueRecorder recorder;
    const auto game = std::make_unique<Game>();
    enterGame(dir, recorder, *game, scriptedClock, nullptr);
    if (HasFatalFailure()) {
        return;
    }
    startPads();
    PadHands hands(game->world);
    ASSERT_TRUE(hands.plugged());
    CoursePilot padPilot(*game, hands);
    const Flight flight = fly(*game, padPilot, recorder, gateCount + 1, FLYING_LIMIT_S);
    ASSERT_EQ(timedLaps(flight, 1).size(), 1u);
    expectGateSounds(recorder, flight, {game->world.lastLapTime});
    EXPECT_EQ(warps, 0);
    EXPECT_EQ(game->hands.lastMouseX, MOUSE_START_X);
    EXPECT_EQ(game->hands.lastMouseY, MOUSE_START_Y);
    soundSetOutput(nullptr);
}


// The pause menu with a pad alone, in the real main loop with the game's own
// callbacks: the frame driver in flight, the paused idle turn reading the pads
// into the menu. A toolkit timer plays the pad: each step holds a button until
// the game shows what the step must bring (held, a direction repeats), then
// lets it go. The main loop ends the toolkit as it returns: this test runs alone.
struct PadStep {
    const char* what;
    int button;
    bool (*reached)(const Game& game);
};
struct PadScript {
    Game* game = nullptr;
    SDL_Joystick* pad = nullptr;
    Vec3 start;
    std::vector<PadStep> steps;
    size_t step = 0;
    int ticks = 0;  // of the step; from 0 down, the release before the next
};
PadScript script;
constexpr int SCRIPT_TICK_MS = 40;
constexpr int RELEASE_TICKS = 3;  // a few of the paused loop's turns of 50 ms at most
constexpr int STEP_LIMIT_TICKS = 250;

double fromStart(const Game& g)
{
    const Vec3& at = g.world.camera.position;
    const Vec3& s = script.start;
    return std::sqrt((at.x - s.x) * (at.x - s.x) + (at.y - s.y) * (at.y - s.y) + (at.z - s.z) * (at.z - s.z));
}
bool onItem(const Game& g, int item)
{
    return gamePaused(g) && g.menu.page == PauseMenu::Page::PAUSE && g.menu.selected == item;
}
int fire()
{
    return controlActionNamed("fire");
}
void holdButton(bool down)
{
    const int button = script.steps[script.step].button;
    if (button != SDL_CONTROLLER_BUTTON_INVALID) {
        SDL_JoystickSetVirtualButton(script.pad, button, down ? 1 : 0);
    }
}

void scriptTick(int)
{
    if (script.ticks < 0 || script.step == script.steps.size()) {
        ++script.ticks;  // letting go
    } else if (script.steps[script.step].reached(*script.game)) {
        std::printf("pad menu: %s\n", script.steps[script.step].what);
        holdButton(false);
        ++script.step;
        script.ticks = -RELEASE_TICKS;
    } else if (++script.ticks > STEP_LIMIT_TICKS) {
        glutLeaveMainLoop();
        return;
    } else {
        holdButton(true);
    }
    glutTimerFunc(SCRIPT_TICK_MS, scriptTick, 0);
}

TEST(Autopilot, APadPausesRebindsFireRestartsTheLapAndQuitsThroughTheMenu)
{
    ASSERT_FALSE(runDirectory.empty());
    ScratchDir dir;
    CueRecorder recorder;
    const auto game = std::make_unique<Game>();
    enterGame(dir, recorder, *game, timerGetTime, nullptr);
    ASSERT_FALSE(HasFatalFailure() || fs::exists(OPTIONS_FILE));
    startPads();
    script = PadScript{};
    script.game = game.get();
    script.pad = plugInVirtualPad();
    script.start = game->world.camera.position;
    using G = const Game&;
    script.steps = {
        {"flying away from the start", SDL_CONTROLLER_BUTTON_INVALID, [](G g) { return fromStart(g) > 5.0; }},
        {"Start pauses: the menu on Resume", SDL_CONTROLLER_BUTTON_START, [](G g) { return onItem(g, PAUSE_RESUME); }},
        {"down to Options", SDL_CONTROLLER_BUTTON_DPAD_DOWN, [](G g) { return onItem(g, PAUSE_OPTIONS); }},
        {"A opens Options", SDL_CONTROLLER_BUTTON_A, [](G g) { return g.menu.page == PauseMenu::Page::OPTIONS; }},
        {"down to fire", SDL_CONTROLLER_BUTTON_DPAD_DOWN, [](G g) { return g.menu.options.selected == 1 + fire(); }},
        {"A waits for fire's input", SDL_CONTROLLER_BUTTON_A, [](G g) { return g.menu.options.capturing == fire(); }},
        {"the right shoulder fires now", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
         [](G) { return playerOptions.keys.pads[fire()] == padButton(PAD_RIGHT_SHOULDER); }},
        {"B leaves Options, saved", SDL_CONTROLLER_BUTTON_B,
         [](G g) { return onItem(g, PAUSE_OPTIONS) && fs::exists(OPTIONS_FILE); }},
        {"up to Restart lap", SDL_CONTROLLER_BUTTON_DPAD_UP, [](G g) { return onItem(g, PAUSE_RESTART); }},
        {"A restarts the lap and flies", SDL_CONTROLLER_BUTTON_A,
         [](G g) { return !gamePaused(g) && g.world.lapStartTime == 0.0f && fromStart(g) < 1.0; }},
        {"the right shoulder launches", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
         [](G g) { return g.world.rocketCooldown > 0; }},
        {"Start pauses again", SDL_CONTROLLER_BUTTON_START, [](G g) { return onItem(g, PAUSE_RESUME); }},
        {"down to Quit", SDL_CONTROLLER_BUTTON_DPAD_DOWN, [](G g) { return onItem(g, PAUSE_QUIT); }},
        {"A asks first, on Cancel", SDL_CONTROLLER_BUTTON_A,
         [](G g) { return g.menu.page == PauseMenu::Page::CONFIRM_QUIT && g.menu.selected == QUIT_CANCEL; }},
        {"down to Quit", SDL_CONTROLLER_BUTTON_DPAD_DOWN, [](G g) { return g.menu.selected == QUIT_CONFIRM; }},
        {"A quits with status 0", SDL_CONTROLLER_BUTTON_A, [](G) { return exitStatus == 0; }},
    };
    registerCallbacks(*game);
    platformHooks.exitProcess = [](int status) {
        exitStatus = status;
        glutLeaveMainLoop();
    };
    exitStatus = -1;
    glutTimerFunc(SCRIPT_TICK_MS, scriptTick, 0);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutMainLoop();

    // Quitting ends the main loop before the timer's next tick.
    EXPECT_TRUE(script.step == script.steps.size() || script.steps[script.step].reached(*game))
        << "never reached: " << script.steps[script.step].what;
    EXPECT_NE(readWholeFile(OPTIONS_FILE).find("pad.fire = right_shoulder"), std::string::npos);
    EXPECT_EQ(readWholeFile("bestenliste.txt"), OLD_LIST) << "no lap was completed";
    pullOutVirtualPad(script.pad);
    stopPads();
    soundSetOutput(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--replay-out") == 0 && k + 1 < argc) {
            replayOut = fs::absolute(argv[++k]).string();
            // A replay from an earlier run must not stand in for this one's.
            fs::remove(replayOut);
        } else {
            runDirectory = fs::absolute(argv[k]).string();
        }
    }
    return RUN_ALL_TESTS();
}
