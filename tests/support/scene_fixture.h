// A small, fully controlled game for the scene's GL tests: procedural
// models, textures made here, a frozen clock and a camera set by hand.
#pragma once

#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/input/input.h"
#include "geometry/octree.h"
#include "render/camera_view.h"
#include "render/graphics_state.h"
#include "render/lighting.h"
#include "render/model_draw.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/platform_hooks.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/gl_window.h"
#include "support/mesh_storage.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace scene_test {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;


// A lumpy ball of radius about 1, textured around its middle, so that a
// rotation or a wrong texture coordinate shows in the picture.
inline MeshStorage& lumpyBall()
{
    static MeshStorage storage = [] {
        MeshStorage s;
        const int stacks = 12;
        const int slices = 16;
        for (int i = 0; i <= stacks; ++i) {
            const double theta = M_PI * i / stacks;
            for (int j = 0; j <= slices; ++j) {
                const double phi = 2.0 * M_PI * j / slices;
                const double r = 1.0 + 0.15 * std::sin(3.0 * phi) * std::sin(theta);
                Vertex v(static_cast<float>(r * std::sin(theta) * std::cos(phi)),
                         static_cast<float>(r * std::cos(theta)),
                         static_cast<float>(r * std::sin(theta) * std::sin(phi)));
                v.u = static_cast<float>(j) / slices;
                v.v = static_cast<float>(i) / stacks;
                s.vertices.push_back(v);
                Vec3 n{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
                s.normals.push_back(n);
            }
        }
        for (int i = 0; i < stacks; ++i) {
            for (int j = 0; j < slices; ++j) {
                const int a = i * (slices + 1) + j;
                const int b = a + slices + 1;
                s.triangles.push_back(Triangle{{a, b, a + 1}});
                s.triangles.push_back(Triangle{{a + 1, b, b + 1}});
            }
        }
        return s;
    }();
    return storage;
}

// A flat square in the y-z plane, facing -x, with normals turned up towards
// the light so it shows its colour brightly.
inline MeshStorage& litSquare(float half = 1.0f)
{
    static std::map<float, MeshStorage> bySize;
    auto found = bySize.find(half);
    if (found != bySize.end()) {
        return found->second;
    }
    MeshStorage& s = bySize[half];
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    for (const auto& c : corners) {
        s.vertices.push_back(Vertex(0.0f, c[0], c[1]));
        s.normals.push_back(Vec3{0.0, 1.0, 0.0});
    }
    s.triangles.push_back(Triangle{{0, 1, 2}});
    s.triangles.push_back(Triangle{{0, 2, 3}});
    return s;
}

// An RGB texture from a pixel function, bilinear without mipmaps.
template <typename PixelFn>
unsigned int makeTexture(int size, PixelFn pixel)
{
    std::vector<unsigned char> bytes;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t rgb = pixel(x, y);
            bytes.push_back(static_cast<unsigned char>(rgb >> 16));
            bytes.push_back(static_cast<unsigned char>(rgb >> 8));
            bytes.push_back(static_cast<unsigned char>(rgb));
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    return name;
}

inline unsigned int whiteTexture()
{
    static unsigned int name = makeTexture(4, [](int, int) { return 0xffffffu; });
    return name;
}

inline unsigned int blackTexture()
{
    static unsigned int name = makeTexture(4, [](int, int) { return 0x000000u; });
    return name;
}

// Fully transparent: the cockpit panel blends to nothing over the scene.
inline unsigned int transparentTexture()
{
    static unsigned int name = [] {
        const std::vector<unsigned char> bytes(4 * 4 * 4, 0);
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
        return texture;
    }();
    return name;
}

// The rows of the frame between the overlay's top line and its bottom lines
// and the radar, where only the scene shows.
constexpr int SCENE_BAND_LOW = HEIGHT / 4;
constexpr int SCENE_BAND_HIGH = HEIGHT * 9 / 10;

// A frozen clock: every frame is 0 ms long, so the world holds still.
inline float frozenClock()
{
    return 0.0f;
}

struct Pixel {
    int r = 0;
    int g = 0;
    int b = 0;
};

// The frame just drawn. Mesa keeps the back buffer after the swap, and the
// test window is never mapped, so the back buffer is the reliable copy.
inline std::vector<unsigned char> readFrame()
{
    std::vector<unsigned char> bytes(static_cast<size_t>(WIDTH) * HEIGHT * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

inline Pixel pixelAt(const std::vector<unsigned char>& frame, int x, int y)
{
    const size_t i = (static_cast<size_t>(y) * WIDTH + x) * 3;
    return Pixel{frame[i], frame[i + 1], frame[i + 2]};
}

// Share of pixels whose channels differ by more than the tolerance.
inline double differingShare(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                             int tolerance)
{
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(a[i + c] - b[i + c]) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / (a.size() / 3);
}

// Window pixel of a world point seen through the camera transform of a frame.
inline void project(const Camera& eye, float x, float y, float z, int& px, int& py)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    lookThroughCamera(eye);
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx = 0;
    GLdouble wy = 0;
    GLdouble wz = 0;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    px = static_cast<int>(std::lround(wx));
    py = static_cast<int>(std::lround(wy));
}

// Start-up's fixed graphics state and a game of the test's own (on the heap:
// a world is too large for a test's stack) with an empty world, every option
// at its start and the frozen clock.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGlWindow();
        onReshape(WIDTH, HEIGHT);
        setupFixedGraphicsState();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

        game.clockSource = frozenClock;
        savedHooks = platformHooks;
        platformHooks = PlatformHooks{};
        platformHooks.toggleAsteroidLists = toggleAsteroidLists;
        for (unsigned int& name : textureTable.names) {
            name = whiteTexture();
        }
        // The frame ends with the cockpit and the overlay: keep the panel
        // clear so the scene behind it can be read back.
        textureTable.names[TEX_COCKPIT] = transparentTexture();
        // Empty bodies parked on a grid far below the scene, 30 apart: the
        // frame's collision pass finds nothing to push.
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            world.asteroids[i].index = i;
            world.asteroids[i].position = Vertex(-210.0f + 30.0f * (i % 15), -210.0f + 30.0f * (i / 15), -240.0f);
        }
        placeCamera(Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});
    }

    void TearDown() override
    {
        // The lists are the renderer's, not the game's: none may outlive the test.
        game.view.displayLists = 0;
        toggleAsteroidLists(game.view, world.asteroids);
        platformHooks = savedHooks;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // The camera the next frame starts from and, until a frame is stepped,
    // the one the scene shows.
    void placeCamera(Vec3 position, Vec3 view, Vec3 up)
    {
        world.camera.position = position;
        world.camera.view = view;
        world.camera.up = up;
        world.shown.camera = world.camera;
    }

    std::unique_ptr<Game> owned{new Game};
    Game& game = *owned;
    World& world = game.world;
    PlatformHooks savedHooks;
};

}  // namespace scene_test
