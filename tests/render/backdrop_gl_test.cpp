#include "render/backdrop.h"
#include "support/scene_fixture.h"

#include <random>

namespace scene_test {
namespace {

class BackdropTest : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        // Fine noise: any shift of the stars shows in most pixels.
        static unsigned int noise = [] {
            std::mt19937 generator(3);
            return makeTexture(256, [&](int, int) { return static_cast<uint32_t>(generator() & 0xffffffu); });
        }();
        textureTable.names[TEX_STARS] = noise;
    }

    std::vector<unsigned char> frameFrom(Vec3 position, Vec3 view, Vec3 up)
    {
        placeCamera(position, view, up);
        displayFrame(game);
        return readFrame();
    }
};

TEST_F(BackdropTest, StarsMoveWhenTheViewTurnsButNotWhenTheCraftMoves)
{
    const Vec3 view{0.6, 0.8, 0.0};
    const Vec3 up{0, 0, 1};
    const std::vector<unsigned char> start = frameFrom(Vec3{0, 0, 0}, view, up);
    const std::vector<unsigned char> moved = frameFrom(Vec3{200.0, -150.0, 90.0}, view, up);
    // Rounding of the camera translation can move an edge pixel or two.
    EXPECT_LT(differingShare(start, moved, 24), 0.001);

    const double turn = 5.0 * M_PI / 180.0;
    const Vec3 turned{0.6 * std::cos(turn) - 0.8 * std::sin(turn), 0.6 * std::sin(turn) + 0.8 * std::cos(turn), 0.0};
    const std::vector<unsigned char> turnedFrame = frameFrom(Vec3{0, 0, 0}, turned, up);
    EXPECT_GT(differingShare(start, turnedFrame, 24), 0.5);
}

TEST_F(BackdropTest, AllSixFacesShowWithFaceCullingOn)
{
    textureTable.names[TEX_STARS] = whiteTexture();
    game.view.faceCulling = 1;
    const Vec3 views[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const Vec3& view : views) {
        SCOPED_TRACE(testing::Message() << view.x << " " << view.y << " " << view.z);
        const Vec3 up = view.z != 0.0 ? Vec3{0, 1, 0} : Vec3{0, 0, 1};
        const std::vector<unsigned char> frame = frameFrom(Vec3{10.0, -20.0, 30.0}, view, up);
        const int probes[5][2] = {{512, 384}, {20, 20}, {1000, 20}, {20, 740}, {1000, 740}};
        for (const auto& probe : probes) {
            const Pixel p = pixelAt(frame, probe[0], probe[1]);
            EXPECT_EQ(p.r + p.g + p.b, 3 * 255) << probe[0] << "," << probe[1];
        }
        // Culling is back on for the rest of the scene.
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(BackdropTest, AnOddEdgeRoundsTheHalfEdgeDown)
{
    // Feedback gives the cube's corners as transformed; with an identity
    // projection and modelview they are the vertices themselves.
    placeCamera(Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1000, 1000, -1000, 1000, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawBackdrop(1023, Vec3{0, 0, 0}, false);
    const GLint count = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // GL_3D feedback: window x, y, z per vertex; x maps -1000..1000 to 0..1024.
    ASSERT_GT(count, 0);
    float minX = 1e9f;
    float maxX = -1e9f;
    for (GLint i = 0; i < count;) {
        ASSERT_EQ(buffer[i], static_cast<GLfloat>(GL_POLYGON_TOKEN));
        const int vertices = static_cast<int>(buffer[i + 1]);
        for (int v = 0; v < vertices; ++v) {
            minX = std::min(minX, buffer[i + 2 + 3 * v]);
            maxX = std::max(maxX, buffer[i + 2 + 3 * v]);
        }
        i += 2 + 3 * vertices;
    }
    EXPECT_NEAR(maxX - minX, 2 * 511.0f * WIDTH / 2000.0f, 0.01f);
}

}  // namespace
}  // namespace scene_test
