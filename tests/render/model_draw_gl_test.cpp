#include "render/palette.h"
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
            Asteroid& asteroid = asteroids[i];
            lumpyBall().attachTo(asteroid);
            bool apart = false;
            while (!apart) {
                asteroid.position = Vertex(ahead(generator), across(generator), across(generator));
                apart = true;
                for (int j = 0; j < i; ++j) {
                    const float dx = asteroids[j].position.x - asteroid.position.x;
                    const float dy = asteroids[j].position.y - asteroid.position.y;
                    const float dz = asteroids[j].position.z - asteroid.position.z;
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

// Colour × (ambient 0.3 + direct light 0.98), clamped: the designed green and
// red, the safe palette's orange and blue.
const Pixel GREEN{65, 228, 65};
const Pixel RED{228, 65, 65};
const Pixel ORANGE{255, 180, 33};
const Pixel BLUE{82, 163, 255};

void expectGateColour(const std::vector<unsigned char>& frame, int gate, const Pixel& expected)
{
    SCOPED_TRACE(gate);
    int x = 0;
    int y = 0;
    project(gates[gate].position.x, gates[gate].position.y, gates[gate].position.z, x, y);
    const Pixel p = pixelAt(frame, x, y);
    EXPECT_NEAR(p.r, expected.r, 6);
    EXPECT_NEAR(p.g, expected.g, 6);
    EXPECT_NEAR(p.b, expected.b, 6);
}

TEST_F(ModelDrawTest, TheActiveGateShowsGreenAndTheOthersRedOrangeAndBlueInTheSafePalette)
{
    const Vertex places[3] = {{0.0f, 0.0f, 0.3f}, {30.0f, 5.0f, -3.0f}, {30.0f, -5.0f, 3.0f}};
    for (int i = 0; i < 3; ++i) {
        litSquare(0.1f).attachTo(gates[i]);
        gates[i].position = places[i];
    }
    // Far gates out of the way: the course runs 0, 1, 2, ... 10.
    for (int i = 3; i < gateCount; ++i) {
        gates[i].position = Vertex(0.0f, 0.0f, -200.0f);
    }
    gates[0].active = 1;
    textureTable.names[TEX_STARS] = blackTexture();

    placeCamera(Vec3{-6.0, 0.0, 0.0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});  // short of gate 0
    displayFrame();
    std::vector<unsigned char> frame = readFrame();
    expectGateColour(frame, 0, GREEN);
    expectGateColour(frame, 1, RED);
    expectGateColour(frame, 2, RED);

    // Within 3.7 of gate 0 on every axis: the update passes it before the
    // drawing, so the same frame already shows gate 1 as the active one.
    camera.position.x = -3.0;
    displayFrame();
    frame = readFrame();
    EXPECT_EQ(gates[1].active, 1);
    expectGateColour(frame, 0, RED);
    expectGateColour(frame, 1, GREEN);
    expectGateColour(frame, 2, RED);

    paletteChoice = PALETTE_SAFE;
    displayFrame();
    paletteChoice = PALETTE_DESIGNED;
    frame = readFrame();
    expectGateColour(frame, 0, BLUE);
    expectGateColour(frame, 1, ORANGE);
}

TEST_F(ModelDrawTest, AsteroidFieldLooksTheSameThroughDisplayLists)
{
    scatterAsteroids();
    for (int culling = 0; culling <= 1; ++culling) {
        SCOPED_TRACE(culling);
        frustumCulling = culling;
        octree.build(OCTREE_DEPTH);
        for (Asteroid& asteroid : asteroids) {
            octree.insert(&asteroid);
        }

        displayLists = 0;
        displayFrame();
        const std::vector<unsigned char> immediate = readFrame();
        displayLists = 1;
        toggleAsteroidLists();
        ASSERT_NE(asteroidListBase, 0u);
        displayFrame();
        const std::vector<unsigned char> listed = readFrame();
        displayLists = 0;
        toggleAsteroidLists();

        // Not two empty pictures: the field covers a good part of the screen.
        const std::vector<unsigned char> black(immediate.size(), 0);
        EXPECT_GT(differingShare(immediate, black, 8), 0.05);
        EXPECT_EQ(differingShare(immediate, listed, 1), 0.0);
    }
}

TEST_F(ModelDrawTest, EveryPairOfTransformsLeavesTheCameraTransform)
{
    scatterAsteroids();
    for (Gate& gate : gates) {
        litSquare().attachTo(gate);
        gate.position = Vertex(-40.0f, 13.5f, 7.25f);
        gate.spinAxis = Vec3{0.3, 0.9, 0.1};
        gate.spinAngle = 123.4f;
    }
    rockets[0].position = Vertex(11.1f, -3.3f, 2.2f);
    camera.position = Vec3{-123.0, 45.0, 210.0};

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(camera.position.x, camera.position.y, camera.position.z, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
    GLfloat cameraTransform[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, cameraTransform);

    bindTexture(TEX_ASTEROID);
    for (const Asteroid& asteroid : asteroids) {
        asteroid.draw();
    }
    displayLists = 1;
    toggleAsteroidLists();
    for (const Asteroid& asteroid : asteroids) {
        asteroid.pushTransform();
        glCallList(asteroidListBase + static_cast<unsigned int>(asteroid.index));
        asteroid.popTransform();
    }
    for (const Gate& gate : gates) {
        gate.draw();
    }
    rockets[0].draw();

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
    onSpecialKey(KEY_F7, 0, 0);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
    EXPECT_EQ(displayLists, 0);
    EXPECT_EQ(asteroidListBase, 0u);

    onSpecialKey(KEY_F7, 0, 0);
    EXPECT_EQ(displayLists, 1);
    const unsigned int first = asteroidListBase;
    ASSERT_NE(first, 0u);
    for (unsigned int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        ASSERT_TRUE(glIsList(first + i)) << i;
    }

    onSpecialKey(KEY_F7, 0, 0);
    EXPECT_EQ(displayLists, 0);
    EXPECT_EQ(asteroidListBase, 0u);
    for (unsigned int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        ASSERT_FALSE(glIsList(first + i)) << i;
    }

    onSpecialKey(KEY_F7, 0, 0);
    EXPECT_EQ(displayLists, 1);
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
    rockets[0].position = Vertex(5.0f, 0.0f, 1.0f);
    rockets[1].position = Vertex(5.0f, 0.0f, -1.0f);
    rockets[0].state = ROCKET_FLYING;
    rockets[1].state = ROCKET_FADING;
    // Its smoke trail is laid behind it, upward here, clear of both spheres.
    rockets[0].direction = Vec3{0.0, 0.0, -1.0};
    displayFrame();
    const std::vector<unsigned char> frame = readFrame();

    int x = 0;
    int y = 0;
    project(5.0f, 0.0f, 1.0f, x, y);
    // World +y, the light's side, is screen left: a grey lit well above the
    // ambient 0.8 × 0.3 the side facing the camera gets.
    const Pixel facing = pixelAt(frame, x, y);
    const Pixel flying = pixelAt(frame, x - 35, y);
    EXPECT_NEAR(facing.r, 61, 3);
    EXPECT_GT(flying.r, 150);
    EXPECT_EQ(flying.r, flying.g);
    EXPECT_EQ(flying.g, flying.b);
    project(5.0f, 0.0f, -1.0f, x, y);
    const Pixel fading = pixelAt(frame, x, y);
    EXPECT_EQ(fading.r + fading.g + fading.b, 0);
}

}  // namespace
}  // namespace scene_test
