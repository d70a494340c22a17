#include "geometry/frustum.h"
#include "support/scene_fixture.h"

namespace scene_test {
namespace {

class FrameSceneTest : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        world.octree.build(OCTREE_DEPTH);
    }

    // Line segments the frame sends, seen through an orthographic projection
    // wide enough to hold the whole arena, so clipping drops none.
    int linesInFrame()
    {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-2000, 2000, -2000, 2000, -2000, 2000);
        glMatrixMode(GL_MODELVIEW);
        std::vector<GLfloat> buffer(200000);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        displayFrame(game);
        const GLint count = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        EXPECT_GE(count, 0);  // negative: the buffer overflowed

        int lines = 0;
        for (GLint i = 0; i < count;) {
            const GLint token = static_cast<GLint>(buffer[i]);
            if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
                ++lines;
                i += 1 + 2 * 2;
            } else if (token == GL_POLYGON_TOKEN) {
                i += 2 + 2 * static_cast<int>(buffer[i + 1]);
            } else if (token == GL_BITMAP_TOKEN || token == GL_POINT_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                       token == GL_COPY_PIXEL_TOKEN) {
                i += 1 + 2;  // the overlay's text and single points
            } else if (token == GL_PASS_THROUGH_TOKEN) {
                i += 2;
            } else {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
        }
        return lines;
    }
};

TEST_F(FrameSceneTest, OctreeOutlinesShowForEveryLeafWithOrWithoutCulling)
{
    EXPECT_EQ(linesInFrame(), 0);
    onKeyDown(game, 'O');
    EXPECT_EQ(linesInFrame(), 512 * 12);
    onSpecialKey(game, KEY_F8);
    ASSERT_EQ(game.view.frustumCulling, 1);
    EXPECT_EQ(linesInFrame(), 512 * 12);
    onKeyDown(game, 'o');
    EXPECT_EQ(linesInFrame(), 0);
}

TEST_F(FrameSceneTest, OctreeOutlinesAreGreenLines)
{
    textureTable.names[TEX_STARS] = blackTexture();
    game.view.showOctree = 1;
    // Looking along the x = 64 plane from inside a leaf's corner region: the
    // leaf edges cross the middle of the screen.
    placeCamera(Vec3{-10.0, 0.5, 0.5}, Vec3{1, 0, 0}, Vec3{0, 0, 1});
    displayFrame(game);
    const std::vector<unsigned char> frame = readFrame();
    int green = 0;
    int other = 0;
    for (size_t i = SCENE_BAND_LOW * WIDTH * 3; i < static_cast<size_t>(SCENE_BAND_HIGH) * WIDTH * 3; i += 3) {
        if (frame[i] == 0 && frame[i + 1] == 0 && frame[i + 2] == 0) {
            continue;
        }
        (frame[i + 1] > 2 * (frame[i] + frame[i + 2]) ? green : other) += 1;
    }
    EXPECT_GT(green, 1000);
    EXPECT_EQ(other, 0);
}

// Drawn straight from the tree: so close to the camera the frame's own
// collision pass would push the asteroid away first.
TEST_F(FrameSceneTest, CullingSkipsAnAsteroidWhoseLeafIsOutOfView)
{
    // Its leaf spans x from -64 to 0, all of it behind the near plane of a
    // camera at x = 0.5 looking along +x; the scaled model reaches x = 4.
    lumpyBall().attachTo(world.asteroids[0]);
    world.asteroids[0].position = Vertex(-3.0f, 2.0f, 2.0f);
    world.octree.insert(world.asteroids[0]);
    placeCamera(Vec3{0.5, 2.0, 2.0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});

    auto centreAfter = [&](bool culled) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0.5, 2.0, 2.0, 1.5, 2.0, 2.0, 0.0, 0.0, 1.0);
        placeLight();
        bindTexture(TEX_ASTEROID);
        if (culled) {
            Frustum planes;
            planes.update();
            world.octree.drawVisible(&world.octree, planes, world.asteroids);
        } else {
            world.asteroids[0].draw();
        }
        glLoadIdentity();
        const Pixel p = pixelAt(readFrame(), WIDTH / 2, HEIGHT / 2);
        return p.r + p.g + p.b;
    };
    EXPECT_GT(centreAfter(false), 30);
    EXPECT_EQ(centreAfter(true), 0);

    // One step ahead of the camera, its leaf is in view and it is drawn.
    world.asteroids[0].position.x = 3.0f;
    world.octree.refresh(&world.octree, world.asteroids);
    world.octree.reinsertPending(world.asteroids);
    EXPECT_GT(centreAfter(true), 30);
}

// The filing is the world's: the frame step brings it up to the asteroids'
// positions whether or not the frame culls with it.
TEST_F(FrameSceneTest, EveryFrameRefilesAnAsteroidThatLeftItsLeaf)
{
    world.asteroids[5].position = Vertex(10.0f, 10.0f, 10.0f);
    for (const Asteroid& asteroid : world.asteroids) {
        world.octree.insert(asteroid);
    }
    world.asteroids[5].position = Vertex(-100.0f, -100.0f, -100.0f);
    const OctreeNode* oldLeaf = world.octree.children[3]->children[5]->children[5];
    ASSERT_EQ(oldLeaf->center.x, 32.0f);
    ASSERT_EQ(oldLeaf->center.y, 32.0f);
    ASSERT_EQ(oldLeaf->center.z, 32.0f);
    auto filedInOldLeaf = [&] {
        int count = 0;
        for (const OctreeEntry* e = oldLeaf->objects; e != nullptr; e = e->next) {
            count += e->object == 5;
        }
        return count;
    };
    ASSERT_EQ(filedInOldLeaf(), 1);

    ASSERT_EQ(game.view.frustumCulling, 0);
    displayFrame(game);
    EXPECT_EQ(filedInOldLeaf(), 0);
    const OctreeNode* newLeaf = world.octree.children[5]->children[3]->children[5];
    EXPECT_EQ(newLeaf->center.x, -96.0f);
    ASSERT_NE(newLeaf->objects, nullptr);
    EXPECT_EQ(newLeaf->objects->object, 5);
    EXPECT_EQ(world.octree.pending, nullptr);
}

TEST_F(FrameSceneTest, AFrameLeavesTheMatrixStacksAsItFoundThem)
{
    game.view.showOctree = 1;
    game.view.frustumCulling = 1;
    world.rockets[2].state = ROCKET_FLYING;
    world.rockets[2].position = Vertex(4.0f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    displayFrame(game);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
}  // namespace scene_test
