#include "app/race/ghost_race.h"
#include "geometry/model_loader.h"
#include "support/scene_fixture.h"
#include "tools/models.h"

namespace scene_test {
namespace {

// The ghost holds still at GHOST_AT through its lap, flying along +x, away
// from a camera at the origin; the frozen clock puts every frame 500 ms into it.
constexpr float GHOST_AT[3] = {20.0f, 3.0f, 1.0f};

class GhostFrameTest : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        textureTable.names[TEX_STARS] = blackTexture();
        ASSERT_EQ(parseModel(formatModel(makeCraftModel()), game.ghost.craft).status, ModelParseStatus::OK);
        GhostLap& lap = game.ghost.stored;
        lap.lapTime = 1000.0f;
        for (int g = 0; g < GHOST_GATE_TIMES; ++g) {
            lap.gateTimes.push_back(90.0f * static_cast<float>(g + 1));
        }
        lap.gateTimes.back() = lap.lapTime;
        GhostSample s;
        s.position = GhostVec{GHOST_AT[0], GHOST_AT[1], GHOST_AT[2]};
        s.view = GhostVec{1.0f, 0.0f, 0.0f};
        s.up = GhostVec{0.0f, 0.0f, 1.0f};
        lap.samples = {s, s};
        lap.samples[1].time = lap.lapTime;
        game.ghost.storedStatus = GHOST_FILE_OK;
        game.ghost.storedRead = true;
        world.lapStartTime = -500.0f;
        project(world.camera, GHOST_AT[0], GHOST_AT[1], GHOST_AT[2], ghostX, ghostY);
    }
    std::vector<unsigned char> frame()
    {
        displayFrame(game);
        return readFrame();
    }
    // The same frame with no ghost to race: the overlay's label alone.
    std::vector<unsigned char> frameWithoutGhost()
    {
        game.ghost.storedStatus = GHOST_FILE_MISSING;
        std::vector<unsigned char> bytes = frame();
        game.ghost.storedStatus = GHOST_FILE_OK;
        return bytes;
    }
    int ghostX = 0;
    int ghostY = 0;
};

TEST_F(GhostFrameTest, OffTheFrameIsTheFrameWithoutAGhost)
{
    const std::vector<unsigned char> off = frame();
    game.ghost.reset();
    EXPECT_EQ(off, frame());
}

TEST_F(GhostFrameTest, OnTheCraftShowsAtItsPlaceTranslucentAndCulledRight)
{
    ASSERT_GT(ghostY, SCENE_BAND_LOW);
    ASSERT_LT(ghostY, SCENE_BAND_HIGH);
    game.view.showGhost = 1;
    const std::vector<unsigned char> noCraft = frameWithoutGhost();
    const std::vector<unsigned char> on = frame();
    const Pixel craft = pixelAt(on, ghostX, ghostY);
    EXPECT_GT(craft.b, 40);
    EXPECT_GT(craft.b, craft.r);
    // Only around its place: the mirror image across the screen's centre
    // line is untouched, and the craft covers a small part of the picture.
    const Pixel mirrored = pixelAt(on, WIDTH - ghostX, ghostY);
    EXPECT_EQ(mirrored.r + mirrored.g + mirrored.b, 0);
    const double share = differingShare(noCraft, on, 2);
    EXPECT_GT(share, 0.001);
    EXPECT_LT(share, 0.05);

    // With the asteroids culled the craft is tested against the same view: in view, it stays.
    game.view.frustumCulling = 1;
    const Pixel culled = pixelAt(frame(), ghostX, ghostY);
    EXPECT_EQ(culled.b, craft.b);
    // Behind the camera nothing of it shows, nor once its lap is over.
    GhostLap& lap = game.ghost.stored;
    lap.samples[0].position.x = lap.samples[1].position.x = -20.0f;
    EXPECT_EQ(frame(), noCraft);
    game.view.frustumCulling = 0;
    lap.samples[0].position.x = lap.samples[1].position.x = GHOST_AT[0];
    world.lapStartTime = -1500.0f;
    EXPECT_EQ(frame(), frameWithoutGhost());
}

TEST_F(GhostFrameTest, TheSceneShowsThroughTheCraft)
{
    game.view.showGhost = 1;
    const Pixel overBlack = pixelAt(frame(), ghostX, ghostY);
    // A white wall behind the craft.
    Asteroid& wallBody = world.asteroids[0];
    litSquare(4.0f).attachTo(wallBody);
    wallBody.ambient[0] = wallBody.ambient[1] = wallBody.ambient[2] = 1.0f;
    wallBody.position = Vertex(40.0f, GHOST_AT[1], GHOST_AT[2]);
    const std::vector<unsigned char> withWall = frame();
    const Pixel overWall = pixelAt(withWall, ghostX, ghostY);
    EXPECT_GT(overWall.r, overBlack.r + 30);
    game.view.showGhost = 0;
    const Pixel wall = pixelAt(frame(), ghostX, ghostY);
    EXPECT_NE(wall.b, overWall.b);
}

}  // namespace
}  // namespace scene_test
