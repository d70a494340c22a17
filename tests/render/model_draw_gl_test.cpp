#include "support/scene_fixture.h"

#include <random>

namespace scene_test {
namespace {

class ModelDrawTest : public SceneTest {
protected:
    // 200 lumpy asteroids spread in front of the camera, each turned its own
    // way, never close enough to touch, so the frame's collisions leave them be.
    void scatterAsteroids()
    {
        std::mt19937 generator(7);
        std::uniform_real_distribution<float> across(-60.0f, 60.0f);
        std::uniform_real_distribution<float> ahead(40.0f, 240.0f);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            Asteroid& asteroid = world.asteroids[i];
            lumpyBall().attachTo(asteroid);
            bool apart = false;
            while (!apart) {
                asteroid.position = Vertex(ahead(generator), across(generator), across(generator));
                apart = true;
                for (int j = 0; j < i; ++j) {
                    const Vertex& other = world.asteroids[j].position;
                    const float dx = other.x - asteroid.position.x;
                    const float dy = other.y - asteroid.position.y;
                    const float dz = other.z - asteroid.position.z;
                    apart = apart && dx * dx + dy * dy + dz * dz > 17.0f * 17.0f;
                }
            }
            asteroid.spinAxis = Vec3{unit(generator), unit(generator), unit(generator)};
            asteroid.spinAngle = 360.0f * unit(generator);
            asteroid.ambient[0] = asteroid.ambient[1] = asteroid.ambient[2] = 0.3f;
            asteroid.specular[0] = asteroid.specular[1] = asteroid.specular[2] = 0.5f;
        }
        // Stripes that reveal every texture coordinate.
        textureTable.names[TEX_ASTEROID] =
            makeTexture(64, [](int x, int y) { return ((x / 8 + y / 8) % 2) ? 0xffffffu : 0x4060a0u; });
        textureTable.names[TEX_STARS] = blackTexture();
    }
};

// Colour × (ambient 0.3 + direct light 0.98): (0.26, 0.90, 0.26) for the
// active gate, (0.90, 0.26, 0.26) for the others.
void expectGateColour(const World& world, const std::vector<unsigned char>& frame, int gate, bool green)
{
    SCOPED_TRACE(gate);
    int x = 0;
    int y = 0;
    const Vertex& at = world.gates[gate].position;
    project(world.camera, at.x, at.y, at.z, x, y);
    const Pixel p = pixelAt(frame, x, y);
    EXPECT_NEAR(green ? p.g : p.r, 228, 6);
    EXPECT_NEAR(green ? p.r : p.g, 65, 6);
    EXPECT_NEAR(p.b, 65, 6);
}

TEST_F(ModelDrawTest, TheActiveGateShowsGreenAndTheOthersRed)
{
    const Vertex places[3] = {{0.0f, 0.0f, 0.3f}, {30.0f, 5.0f, -3.0f}, {30.0f, -5.0f, 3.0f}};
    for (int i = 0; i < 3; ++i) {
        litSquare(0.1f).attachTo(world.gates[i]);
        world.gates[i].position = places[i];
    }
    // Far gates out of the way: the course runs 0, 1, 2, ... 10.
    for (int i = 3; i < gateCount; ++i) {
        world.gates[i].position = Vertex(0.0f, 0.0f, -200.0f);
    }
    world.gates[0].active = 1;
    textureTable.names[TEX_STARS] = blackTexture();

    placeCamera(Vec3{-6.0, 0.0, 0.0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});  // short of gate 0
    displayFrame(game);
    std::vector<unsigned char> frame = readFrame();
    expectGateColour(world, frame, 0, true);
    expectGateColour(world, frame, 1, false);
    expectGateColour(world, frame, 2, false);

    // Within 3.7 of gate 0 on every axis: the update passes it before the
    // drawing, so the same frame already shows gate 1 as the active one.
    world.camera.position.x = -3.0;
    displayFrame(game);
    frame = readFrame();
    EXPECT_EQ(world.gates[1].active, 1);
    expectGateColour(world, frame, 0, false);
    expectGateColour(world, frame, 1, true);
    expectGateColour(world, frame, 2, false);
}

TEST_F(ModelDrawTest, AsteroidFieldLooksTheSameThroughDisplayLists)
{
    scatterAsteroids();
    for (int culling = 0; culling <= 1; ++culling) {
        SCOPED_TRACE(culling);
        game.view.frustumCulling = culling;
        world.octree.build(OCTREE_DEPTH);
        for (const Asteroid& asteroid : world.asteroids) {
            world.octree.insert(asteroid);
        }

        game.view.displayLists = 0;
        displayFrame(game);
        const std::vector<unsigned char> immediate = readFrame();
        game.view.displayLists = 1;
        toggleAsteroidLists(game.view, world.asteroids);
        ASSERT_NE(asteroidListBase, 0u);
        displayFrame(game);
        const std::vector<unsigned char> listed = readFrame();
        game.view.displayLists = 0;
        toggleAsteroidLists(game.view, world.asteroids);

        // Not two empty pictures: the field covers a good part of the screen.
        const std::vector<unsigned char> black(immediate.size(), 0);
        EXPECT_GT(differingShare(immediate, black, 8), 0.05);
        EXPECT_EQ(differingShare(immediate, listed, 1), 0.0);
    }
}

TEST_F(ModelDrawTest, EveryPairOfTransformsLeavesTheCameraTransform)
{
    scatterAsteroids();
    for (Gate& gate : world.gates) {
        litSquare().attachTo(gate);
        gate.position = Vertex(-40.0f, 13.5f, 7.25f);
        gate.spinAxis = Vec3{0.3, 0.9, 0.1};
        gate.spinAngle = 123.4f;
    }
    world.rockets[0].position = Vertex(11.1f, -3.3f, 2.2f);
    const Vec3 eye{-123.0, 45.0, 210.0};

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
    GLfloat cameraTransform[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, cameraTransform);

    bindTexture(TEX_ASTEROID);
    for (const Asteroid& asteroid : world.asteroids) {
        asteroid.draw();
    }
    game.view.displayLists = 1;
    toggleAsteroidLists(game.view, world.asteroids);
    for (const Asteroid& asteroid : world.asteroids) {
        asteroid.pushTransform();
        glCallList(asteroidListBase + static_cast<unsigned int>(asteroid.index));
        asteroid.popTransform();
    }
    for (const Gate& gate : world.gates) {
        gate.draw();
    }
    world.rockets[0].draw();

    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        // Up to rounding: translations of a few hundred units, 400 times over.
        EXPECT_NEAR(after[i], cameraTransform[i], i >= 12 ? 2e-3 : 1e-5) << i;
    }
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    glLoadIdentity();
}

TEST_F(ModelDrawTest, F7BuildsAndDeletesTheTwoHundredListsInStepWithTheOptionAfterAFailedBuild)
{
    scatterAsteroids();
    // Inside glBegin/glEnd the library refuses to make lists (glGenLists gives
    // 0): the option goes back off instead of falling out of step.
    glBegin(GL_POINTS);
    onSpecialKey(game, KEY_F7);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
    EXPECT_EQ(game.view.displayLists, 0);
    EXPECT_EQ(asteroidListBase, 0u);

    onSpecialKey(game, KEY_F7);
    EXPECT_EQ(game.view.displayLists, 1);
    const unsigned int first = asteroidListBase;
    ASSERT_NE(first, 0u);
    for (unsigned int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        ASSERT_TRUE(glIsList(first + i)) << i;
    }

    onSpecialKey(game, KEY_F7);
    EXPECT_EQ(game.view.displayLists, 0);
    EXPECT_EQ(asteroidListBase, 0u);
    for (unsigned int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        ASSERT_FALSE(glIsList(first + i)) << i;
    }

    onSpecialKey(game, KEY_F7);
    EXPECT_EQ(game.view.displayLists, 1);
    ASSERT_NE(asteroidListBase, 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (unsigned int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        ASSERT_TRUE(glIsList(asteroidListBase + i)) << i;
    }
}

TEST_F(ModelDrawTest, OnlyFlyingRocketsShowAsGreySpheres)
{
    textureTable.names[TEX_STARS] = blackTexture();
    // Flying, it moves on by 2.5 per step; the frozen clock keeps it here.
    world.rockets[0].position = Vertex(5.0f, 0.0f, 1.0f);
    world.rockets[1].position = Vertex(5.0f, 0.0f, -1.0f);
    world.rockets[0].state = ROCKET_FLYING;
    world.rockets[1].state = ROCKET_FADING;
    // Its smoke trail is laid behind it, upward here, clear of both spheres.
    world.rockets[0].direction = Vec3{0.0, 0.0, -1.0};
    displayFrame(game);
    const std::vector<unsigned char> frame = readFrame();

    int x = 0;
    int y = 0;
    project(world.camera, 5.0f, 0.0f, 1.0f, x, y);
    // World +y, the light's side, is screen left: a grey lit well above the
    // ambient 0.8 × 0.3 the side facing the camera gets.
    const Pixel facing = pixelAt(frame, x, y);
    const Pixel flying = pixelAt(frame, x - 35, y);
    EXPECT_NEAR(facing.r, 61, 3);
    EXPECT_GT(flying.r, 150);
    EXPECT_EQ(flying.r, flying.g);
    EXPECT_EQ(flying.g, flying.b);
    project(world.camera, 5.0f, 0.0f, -1.0f, x, y);
    const Pixel fading = pixelAt(frame, x, y);
    EXPECT_EQ(fading.r + fading.g + fading.b, 0);
}

}  // namespace
}  // namespace scene_test
