// Random play for many frames: random keys, clicks, pointer motion (with the
// warp echoes X11 sends) and frame lengths of 1 to 100 ms. Checks after every
// frame that nothing became NaN, that every asteroid was inside ±250 right
// after its drift, that the craft and flying rockets stay inside ±256, that
// every rocket slot comes free again, and that the asteroid octree, refreshed
// and re-filed as each frame step starts, files every asteroid in exactly one
// leaf, the one that held it then. Compares the live heap at a tenth of the
// run and at its end: the field's filing churns entries every frame, and none
// may be lost.
//   vorel_soak [frames] [seed]
// Exits non-zero on the first violation.
#include "app/loop/frame_cues.h"
#include "app/loop/game.h"
#include "app/files/high_scores.h"
#include "app/input/input.h"
#include "geometry/octree.h"
#include "octree_invariant.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/platform_hooks.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "sound/sound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <random>
#include <utility>

#include <unistd.h>

// The address sanitizer's count of live heap bytes (its public interface;
// GCC ships the library without the header).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace {

long frameNumber = 0;
float now = 0.0f;
float soakClock()
{
    return now;
}

std::deque<std::pair<int, int>> pointerEvents;
void echoWarp(int x, int y)
{
    pointerEvents.push_back({x, y});
}
int modifiersHeld = 0;
int modifiers()
{
    return modifiersHeld;
}
// The game flown; the exit hook reaches it here.
Game* soakGame = nullptr;

// Start-up's filing: the tree built, then every asteroid in array order.
void fileAsteroids(World& world)
{
    world.octree.build(OCTREE_DEPTH);
    for (const Asteroid& a : world.asteroids) {
        world.octree.insert(a);
    }
}

// Escape ran the exit sequence (saved the best lap, released the tree); where
// the game would end, the soak starts the next run's files and tree and goes
// on flying. The list starts empty each time, so it cannot grow with exits.
long exits = 0;
void restartAfterExit(int)
{
    ++exits;
    highScoreList.reset();
    std::remove(HIGH_SCORE_FILE);
    fileAsteroids(soakGame->world);
}

struct CueCounter : SoundOutput {
    long explosions = 0;
    long launches = 0;
    long laps = 0;
    void playSample(int, int slot) override
    {
        explosions += slot == SAMPLE_EXPLOSION;
        launches += slot == SAMPLE_ROCKET;
        laps += slot == SAMPLE_BEST_LAP || slot == SAMPLE_NORMAL_LAP;
    }
    void setVolume(int, int) override {}
};

[[noreturn]] void fail(const char* what, int index, double value)
{
    std::printf("soak: frame %ld: %s (index %d, value %.9g)\n", frameNumber, what, index, value);
    std::fflush(stdout);
    std::exit(1);
}

void finite(double v, const char* what, int index = -1)
{
    if (!std::isfinite(v)) {
        fail(what, index, v);
    }
}
void finite(const Vec3& v, const char* what, int index = -1)
{
    finite(v.x, what, index);
    finite(v.y, what, index);
    finite(v.z, what, index);
}
void finite(const Vertex& v, const char* what, int index = -1)
{
    finite(v.x, what, index);
    finite(v.y, what, index);
    finite(v.z, what, index);
}

// The drift the next update will make, on copies (the generator's too): the
// frame step it will compute from the clock, then each asteroid's move, which
// must keep it inside the walls (the collision pass after it may push it out).
void checkDrift(const World& world)
{
    const float step = (now - world.lastFrameTime) / 16.5f;
    Random random = world.random;
    for (const Asteroid& original : world.asteroids) {
        Asteroid a = original;
        a.move(step, random);
        finite(a.position, "asteroid position after drift", a.index);
        for (float c : {a.position.x, a.position.y, a.position.z}) {
            if (c > ASTEROID_WALL || c < -ASTEROID_WALL) {
                fail("asteroid outside the walls after its drift", a.index, c);
            }
        }
    }
}

int fadingFrames[ROCKET_COUNT] = {};
int flyingFrames[ROCKET_COUNT] = {};
// A fading trail loses 0.002 per displayed frame from at most 1.
constexpr int MAX_FADING_FRAMES = 505;
// 512 units at 2.5 per step, with steps down to 1/16.5.
constexpr int MAX_FLYING_FRAMES = 3500;

void checkWorld(const World& world)
{
    const Camera& camera = world.camera;
    const float flightSpeed = world.flightSpeed;
    finite(camera.position, "camera position");
    finite(camera.view, "camera view");
    finite(camera.up, "camera up");
    finite(camera.side, "camera side");
    finite(camera.target, "camera target");
    finite(world.flightDirection, "flight direction");
    finite(flightSpeed, "flight speed");
    finite(world.frameStep, "frame step");
    finite(world.lapStartTime, "lap start");
    finite(world.lastLapTime, "last lap");
    finite(world.bestLapTime, "best lap");
    for (double c : {camera.position.x, camera.position.y, camera.position.z}) {
        if (std::fabs(c) > 256.0) {
            fail("craft outside the arena", -1, c);
        }
    }
    if (flightSpeed < 0.0f || flightSpeed > 0.6f) {
        fail("craft speed out of range", -1, flightSpeed);
    }
    for (const Asteroid& a : world.asteroids) {
        finite(a.position, "asteroid position", a.index);
        finite(a.direction, "asteroid direction", a.index);
        finite(a.speed, "asteroid speed", a.index);
        finite(a.spinAngle, "asteroid spin", a.index);
        if (a.speed > 2.0f || a.speed < 0.0f) {
            fail("asteroid speed out of range", a.index, a.speed);
        }
    }
    for (const Gate& g : world.gates) {
        finite(g.spinAngle, "gate spin");
    }
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        const Rocket& r = world.rockets[k];
        finite(r.position, "rocket position", k);
        finite(r.direction, "rocket direction", k);
        finite(r.explosionPoint, "explosion point", k);
        for (int i = 0; i < TRAIL_LENGTH; ++i) {
            finite(r.trail[i], "trail particle", k);
            finite(r.trailLife[i], "trail life", k);
        }
        if (r.state == ROCKET_FLYING) {
            for (float c : {r.position.x, r.position.y, r.position.z}) {
                if (std::fabs(c) > 256.0f) {
                    fail("flying rocket outside the arena", k, c);
                }
            }
        }
        flyingFrames[k] = r.state == ROCKET_FLYING ? flyingFrames[k] + 1 : 0;
        fadingFrames[k] = r.state == ROCKET_FADING ? fadingFrames[k] + 1 : 0;
        if (flyingFrames[k] > MAX_FLYING_FRAMES) {
            fail("rocket flies for ever", k, flyingFrames[k]);
        }
        if (fadingFrames[k] > MAX_FADING_FRAMES) {
            fail("rocket slot never comes free", k, fadingFrames[k]);
        }
    }
}

// Part of the time the player flies the course: the view is turned straight
// at the active gate, as a perfect hand on the mouse would, and thrust held.
void aimAtTarget(Camera& camera)
{
    Vec3 view{camera.target.x - camera.position.x, camera.target.y - camera.position.y,
              camera.target.z - camera.position.z};
    view.normalize();
    if (view.x == 0.0 && view.y == 0.0 && view.z == 0.0) {
        return;
    }
    camera.view = view;
    camera.side.setCross(camera.up, camera.view);
    camera.side.normalize();
    camera.up.setCross(camera.view, camera.side);
    camera.up.normalize();
}

void checkFiling(const Octree& octree, const Asteroid* field, bool fresh)
{
    const OctreeCensus census = checkOctree(octree, field, fresh);
    if (census.fault) {
        fail(census.fault, census.asteroid, census.entries);
    }
}

struct MemorySample {
    std::size_t heapBytes = 0;  // live allocations
    long residentKb = 0;
};

MemorySample sampleMemory()
{
    MemorySample m;
    m.heapBytes = __sanitizer_get_current_allocated_bytes();
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    m.residentKb = resident * (sysconf(_SC_PAGESIZE) / 1024);
    return m;
}

// Heap the run may gain between its tenth and its end: the pointer-event
// queue's blocks and the allocator's own bookkeeping, not one entry per frame.
constexpr std::size_t HEAP_SLACK_BYTES = 16 * 1024;

// The step with the app's handling of its events, as a displayed frame has
// them, but without the ghost's per-frame sample: a lap's samples grow with
// the lap (up to ten minutes of them), which the heap comparison would take
// for a leak.
void stepFrame(Game& game, float nowMs)
{
    game.input.clockMs = nowMs;
    game.input.thrust = game.hands.thrustInput;
    game.input.roll = game.hands.rollInput;
    updateFrame(game.world, game.input, game.events);
    game.input.commands.clear();
    handleFrameEvents(game, nowMs);
}

void deliverPointerEvents(Game& game)
{
    for (int guard = 0; guard < 64 && !pointerEvents.empty(); ++guard) {
        const auto e = pointerEvents.front();
        pointerEvents.pop_front();
        onMouseMove(game, e.first, e.second);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const long frames = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 12345u;

    CueCounter cues;
    soundSetOutput(&cues);
    platformHooks.warpPointer = echoWarp;
    platformHooks.modifiers = modifiers;
    platformHooks.exitProcess = restartAfterExit;
    // A game is too large for the stack.
    std::unique_ptr<Game> owned(new Game);
    Game& game = *owned;
    soakGame = &game;
    game.clockSource = soakClock;

    // Escape saves the best lap: keep that file out of the caller's directory.
    char scratch[] = "/tmp/vorel-soak-XXXXXX";
    if (!mkdtemp(scratch) || chdir(scratch) != 0) {
        std::printf("soak: no scratch directory\n");
        return 1;
    }

    startGame(game, seed);
    World& world = game.world;
    checkFiling(world.octree, world.asteroids, true);
    // The asteroids as the step about to run files them.
    std::unique_ptr<Asteroid[]> filedAt(new Asteroid[ASTEROID_COUNT]);

    std::mt19937 play(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(play) < p; };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(play); };
    const unsigned char keys[] = {'w', 'W', 's', 'S', 'q', 'Q', 'e', 'E', '+', '-', 'h', 'i', 'o', 'x'};
    const int specials[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 100, 101};
    const int modifierSets[] = {0, MODIFIER_SHIFT, MODIFIER_CTRL, MODIFIER_CTRL | MODIFIER_SHIFT, MODIFIER_ALT};
    int pointerX = 200;
    int pointerY = 200;
    bool dragging = false;
    long maxFlightSpeedFrames = 0;

    bool racing = false;
    MemorySample early = sampleMemory();
    for (frameNumber = 0; frameNumber < frames; ++frameNumber) {
        if (frameNumber % 2000 == 0) {
            racing = chance(0.5);
        }
        if (racing) {
            aimAtTarget(world.camera);
            if (game.hands.thrustInput == 0 && chance(0.1)) {
                onKeyDown(game, 'w');
            }
        }
        // Mostly thrust: the craft should reach the walls and the asteroids.
        if (chance(0.02)) {
            onKeyDown(game, chance(0.7) ? 'w' : keys[pick(0, sizeof keys - 1)]);
        }
        if (chance(0.01)) {
            onKeyUp(game, keys[pick(0, sizeof keys - 1)]);
        }
        if (chance(0.002)) {
            onSpecialKey(game, specials[pick(0, sizeof specials / sizeof specials[0] - 1)]);
        }
        if (chance(0.002)) {
            onKeyDown(game, KEY_ESCAPE);  // the exit hook returns: the run goes on
        }
        if (chance(0.05)) {
            modifiersHeld = modifierSets[pick(0, 4)];
            onMouseButton(game, pick(0, 2), pick(0, 1));
        }
        if (chance(0.3)) {
            pointerX += pick(-40, 40);
            pointerY += pick(-40, 40);
            pointerX = pointerX < 0 ? 0 : (pointerX > 1023 ? 1023 : pointerX);
            pointerY = pointerY < 0 ? 0 : (pointerY > 767 ? 767 : pointerY);
            if (chance(0.05)) {
                dragging = !dragging;
            }
            if (dragging) {
                onMouseDrag(game, pointerX, pointerY);
            } else {
                onMouseMove(game, pointerX, pointerY);
            }
            if (!pointerEvents.empty()) {
                pointerX = pointerEvents.back().first;
                pointerY = pointerEvents.back().second;
            }
            deliverPointerEvents(game);
        }

        now += static_cast<float>(pick(1, 100));
        checkDrift(world);
        std::copy(world.asteroids, world.asteroids + ASTEROID_COUNT, filedAt.get());
        stepFrame(game, now);
        checkWorld(world);
        checkFiling(world.octree, filedAt.get(), true);
        maxFlightSpeedFrames += world.flightSpeed >= 0.5f;
        if (frameNumber + 1 == frames / 10) {
            early = sampleMemory();
        }
    }
    const MemorySample late = sampleMemory();

    std::printf("soak: %ld frames, %.0f s of play, %ld launches, %ld explosion cues, %ld laps, "
                "%ld frames at 0.5 or more, %ld exits\n",
                frames, now / 1000.0f, cues.launches, cues.explosions, cues.laps, maxFlightSpeedFrames, exits);
    std::printf("soak: live heap %zu bytes at frame %ld, %zu at the end; resident %ld kB, then %ld kB\n",
                early.heapBytes, frames / 10, late.heapBytes, early.residentKb, late.residentKb);
    std::filesystem::remove_all(scratch);
    if (late.heapBytes > early.heapBytes + HEAP_SLACK_BYTES) {
        std::printf("soak: the live heap grew by %zu bytes\n", late.heapBytes - early.heapBytes);
        return 1;
    }
    if (cues.launches < 100) {
        std::printf("soak: rocket slots did not recycle (%ld launches)\n", cues.launches);
        return 1;
    }
    return 0;
}
