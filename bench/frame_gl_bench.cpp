// The whole displayed frame under X at 1024×768, for each combination of the
// asteroid display lists (F7), octree culling (F8) and face culling (F10),
// from six fixed views, against two floors measured in the same run: an empty
// frame (clear and swap) and, per view, the real frame with empty asteroid
// bodies (the frame without its asteroid pass). bench/report.sh tabulates it.
//
// Run from the game's run directory to use the generated models and textures;
// elsewhere a procedural asteroid and ring and textures of the same kinds
// stand in. Needs a display: xvfb-run -a -s "-screen 0 1024x768x24".
#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/game.h"
#include "app/input/input.h"
#include "render/graphics_state.h"
#include "render/model_draw.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/platform_hooks.h"
#include "sim/world.h"
#include "support/gl_window.h"
#include "support/mesh_storage.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;
constexpr float FRAME_MS = 16.5f;

float benchNow = 0.0f;
float benchClock()
{
    return benchNow;
}

// The game every benchmark draws, on the heap for its size.
Game& benchGame()
{
    static const std::unique_ptr<Game> game = std::make_unique<Game>();
    return *game;
}

bool fileExists(const char* name)
{
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// Geometry that stands in for a model file, kept for the whole run.
struct Shape : MeshStorage {
    void attachTo(Model& model)
    {
        MeshStorage::attachTo(model);
        const float grey[3] = {0.5f, 0.5f, 0.5f};
        for (int i = 0; i < 3; ++i) {
            model.ambient[i] = grey[i];
            model.diffuse[i] = grey[i];
            model.specular[i] = 0.3f;
        }
        model.ambient[3] = 1.0f;
    }

    void add(double x, double y, double z, double nx, double ny, double nz, float u, float v)
    {
        Vertex vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        vertex.u = u;
        vertex.v = v;
        vertices.push_back(vertex);
        normals.push_back(Vec3{nx, ny, nz});
    }

    // A grid of rows × columns quads, wrapped; point(i, j) gives position and normal.
    template <typename PointFn>
    void grid(int rows, int columns, PointFn point)
    {
        for (int i = 0; i <= rows; ++i) {
            for (int j = 0; j <= columns; ++j) {
                double p[6];
                point(i, j, p);
                add(p[0], p[1], p[2], p[3], p[4], p[5], static_cast<float>(j) / columns,
                    static_cast<float>(i) / rows);
            }
        }
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < columns; ++j) {
                const int a = i * (columns + 1) + j;
                const int b = a + columns + 1;
                triangles.push_back(Triangle{{a, a + 1, b}});
                triangles.push_back(Triangle{{a + 1, b + 1, b}});
            }
        }
    }
};

// About 400 triangles of radius about 1.1, like the generated asteroid.
Shape& standInAsteroid()
{
    static Shape shape = [] {
        Shape s;
        s.grid(14, 14, [](int i, int j, double* p) {
            const double theta = M_PI * i / 14;
            const double phi = 2.0 * M_PI * j / 14;
            const double r = 1.1 + 0.1 * std::sin(3 * phi) * std::sin(2 * theta);
            const double n[3] = {std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            for (int k = 0; k < 3; ++k) {
                p[k] = r * n[k];
                p[3 + k] = n[k];
            }
        });
        return s;
    }();
    return shape;
}

// A ring of inner radius 2.3, like the generated gate.
Shape& standInGate()
{
    static Shape shape = [] {
        Shape s;
        s.grid(8, 24, [](int i, int j, double* p) {
            const double tube = 2.0 * M_PI * i / 8;
            const double around = 2.0 * M_PI * j / 24;
            const double n[3] = {std::cos(tube) * std::cos(around), std::cos(tube) * std::sin(around), std::sin(tube)};
            p[0] = 2.6 * std::cos(around) + 0.3 * n[0];
            p[1] = 2.6 * std::sin(around) + 0.3 * n[1];
            p[2] = 0.3 * n[2];
            p[3] = n[0];
            p[4] = n[1];
            p[5] = n[2];
        });
        return s;
    }();
    return shape;
}

unsigned int makeTexture(int size, bool alpha)
{
    std::vector<unsigned char> bytes;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const unsigned char value = static_cast<unsigned char>((x * 37 + y * 91) ^ (x * y));
            bytes.push_back(value);
            bytes.push_back(static_cast<unsigned char>(value / 2));
            bytes.push_back(static_cast<unsigned char>(255 - value));
            if (alpha) {
                const int dx = x - size / 2;
                const int dy = y - size / 2;
                bytes.push_back(dx * dx + dy * dy < size * size / 8 ? 0 : 255);
            }
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, alpha ? GL_RGBA : GL_RGB, size, size, alpha ? GL_RGBA : GL_RGB,
                      GL_UNSIGNED_BYTE, bytes.data());
    return name;
}

std::vector<Model> savedBodies;

// Start-up, as far as the frame depends on it: the display and fixed state,
// models, the seeded world, textures, the octree.
void setUpOnce()
{
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    ensureGlWindow();
    setSwapInterval(0);
    onReshape(WIDTH, HEIGHT);
    setupFixedGraphicsState();

    const bool generated = fileExists("asteroid1.txt") && fileExists("tor.txt") && fileExists("stars.tga");
    std::printf("frame bench: %s models and textures\n", generated ? "generated" : "stand-in");
    Game& game = benchGame();
    for (Asteroid& asteroid : game.world.asteroids) {
        if (generated) {
            asteroid.load("asteroid1.txt");
        } else {
            standInAsteroid().attachTo(asteroid);
        }
    }
    for (Gate& gate : game.world.gates) {
        if (generated) {
            gate.load("tor.txt");
        } else {
            standInGate().attachTo(gate);
        }
    }
    if (generated) {
        loadTextureTable();
    } else {
        for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
            const bool sprite = slot >= TEX_EXPLOSION_FIRST;
            const int size = slot == TEX_STARS || slot == TEX_COCKPIT ? 512 : (sprite ? 64 : 256);
            textureTable.names[slot] = makeTexture(size, slot == TEX_COCKPIT || sprite);
        }
        applyTextureFilter(game.view.textureFilter, game.view.mipMapping);
    }
    savedBodies.assign(game.world.asteroids, game.world.asteroids + ASTEROID_COUNT);
    game.clockSource = benchClock;
}

// The fixed views every combination is measured from. The camera stays put
// (speed 0) while the field drifts on at 16.5 ms a frame.
struct BenchView {
    const char* name;
    float eye[3];
    float lookAt[3];
};
const BenchView VIEWS[] = {
    {"start", {-200.0f, -50.0f, 0.0f}, {-220.0f, 0.0f, 0.0f}},      // the start: facing gate 0
    {"field", {-200.0f, -50.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},          // from the start into the field
    {"gate3", {0.0f, 220.0f, 50.0f}, {85.0f, 195.0f, 10.0f}},        // along the course, gate 3 to 4
    {"gate6", {175.0f, -75.0f, -50.0f}, {150.0f, -125.0f, -80.0f}},  // gate 6 to 7
    {"gate9", {-100.0f, -175.0f, -60.0f}, {-175.0f, -125.0f, 0.0f}}, // gate 9 to 10
    {"centre", {0.0f, 0.0f, 0.0f}, {100.0f, 60.0f, 20.0f}},          // inside the field
};
constexpr int VIEW_COUNT = static_cast<int>(sizeof(VIEWS) / sizeof(VIEWS[0]));

// The same seeded field for every benchmark, seen from one of the views.
// The world is made fresh, its octree filing the field; the clock starts
// again at 0.
void startRun(int lists, int culling, int view)
{
    Game& game = benchGame();
    startGame(game, 20240607u);
    Camera& camera = game.world.camera;
    const Vec3 activeGate = camera.target;
    const BenchView& v = VIEWS[view];
    camera.setTarget(v.lookAt[0], v.lookAt[1], v.lookAt[2]);
    camera.placeAt(v.eye[0], v.eye[1], v.eye[2]);
    camera.target = activeGate;
    benchNow = 0.0f;
    game.view.frustumCulling = culling;
    if (lists != 0) {
        platformHooks.toggleAsteroidLists = toggleAsteroidLists;
        onSpecialKey(game, KEY_F7);
    }
    // A few frames first: the first use of each state combination compiles
    // a shader variant under llvmpipe.
    for (int i = 0; i < 5; ++i) {
        benchNow += FRAME_MS;
        displayFrame(game);
    }
    glFinish();
}

void endRun()
{
    Game& game = benchGame();
    if (asteroidListBase != 0) {
        onSpecialKey(game, KEY_F7);
    }
    game.world.octree.release();
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Wall and all-thread processor milliseconds per frame of the two floors.
struct FrameCost {
    double wall = 0.0;
    double cpu = 0.0;
};
FrameCost emptyFloor;
FrameCost sceneFloor[VIEW_COUNT];

// Milliseconds per frame over the timed loop, and the ratios to both floors
// (the asteroid-free one of the same view).
template <typename FrameFn>
FrameCost timeFrames(benchmark::State& state, FrameFn frame, const FrameCost* floor)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = processCpuMs();
    for (auto _ : state) {
        frame();
    }
    glFinish();
    const double frames = static_cast<double>(state.iterations());
    FrameCost cost;
    cost.wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / frames;
    // All threads, the rasterizer's included: steadier than wall time when
    // other work shares the cores.
    cost.cpu = (processCpuMs() - cpuStart) / frames;
    state.counters["ms"] = cost.wall;
    state.counters["cpu_ms"] = cost.cpu;
    if (floor != nullptr && emptyFloor.wall > 0.0) {
        state.counters["x_empty"] = cost.wall / emptyFloor.wall;
        state.counters["x_empty_cpu"] = cost.cpu / emptyFloor.cpu;
    }
    if (floor != nullptr && floor->wall > 0.0) {
        state.counters["x_floor"] = cost.wall / floor->wall;
        state.counters["x_floor_cpu"] = cost.cpu / floor->cpu;
    }
    return cost;
}

void displayedFrame()
{
    benchNow += FRAME_MS;
    displayFrame(benchGame());
}

void BM_EmptyFrame(benchmark::State& state)
{
    setUpOnce();
    emptyFloor = timeFrames(state, [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
    }, nullptr);
}

// The real frame with every asteroid body emptied: the asteroids still move,
// collide and are placed, but send no triangles.
void BM_FrameWithoutAsteroids(benchmark::State& state, int view)
{
    setUpOnce();
    Asteroid* asteroids = benchGame().world.asteroids;
    for (int i = 0; i < ASTEROID_COUNT; ++i) {
        asteroids[i].meshCount = 0;
    }
    startRun(0, 0, view);
    sceneFloor[view] = timeFrames(state, displayedFrame, nullptr);
    endRun();
    for (int i = 0; i < ASTEROID_COUNT; ++i) {
        asteroids[i].meshCount = savedBodies[static_cast<size_t>(i)].meshCount;
    }
}

void BM_Frame(benchmark::State& state, int view, int lists, int culling, int faceCull)
{
    setUpOnce();
    startRun(lists, culling, view);
    benchGame().view.faceCulling = faceCull;
    timeFrames(state, displayedFrame, &sceneFloor[view]);
    endRun();
}

// Each view's floor first, then the option combinations from that view, so
// every ratio divides by a floor measured moments before.
const bool registered = [] {
    benchmark::RegisterBenchmark("EmptyFrame", BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
    struct Combination {
        const char* name;
        int lists;
        int culling;
        int faceCull;
    };
    const Combination combinations[] = {
        {"default", 0, 0, 0}, {"F7", 1, 0, 0}, {"F8", 0, 1, 0}, {"F7+F8", 1, 1, 0}, {"F7+F8+F10", 1, 1, 1},
    };
    for (int view = 0; view < VIEW_COUNT; ++view) {
        const std::string where = std::string("/") + VIEWS[view].name;
        benchmark::RegisterBenchmark(("NoAsteroids" + where).c_str(), BM_FrameWithoutAsteroids, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        for (const Combination& c : combinations) {
            benchmark::RegisterBenchmark((std::string("Frame/") + c.name + where).c_str(), BM_Frame, view,
                                         c.lists, c.culling, c.faceCull)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    return true;
}();

}  // namespace
