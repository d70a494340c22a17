#include "app/loop/display_frame.h"
#include "render/camera_view.h"
#include "render/effects.h"
#include "render/radar.h"
#include "render/texture_table.h"
#include "render/view_settings.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/gl_window.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace {
struct Pixel {
    int r = 0;
    int g = 0;
    int b = 0;
};

// An RGBA texture of size × size texels, sampled nearest.
GLuint rgbaTexture(int size, const GLubyte* texels)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    return name;
}

// A texture of one colour, for the slots a test needs.
GLuint solidTexture(int r, int g, int b, int a)
{
    const GLubyte texel[4] = {static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b),
                              static_cast<GLubyte>(a)};
    return rgbaTexture(1, texel);
}

// Explosion slot s has red 8 s, so a pixel tells which image is on show.
int slotOfPixel(const Pixel& p)
{
    return p.g == 200 ? static_cast<int>(std::lround(p.r / 8.0)) : -1;
}

class Effects : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGlWindow();
        width = glutGet(GLUT_WINDOW_WIDTH);
        height = glutGet(GLUT_WINDOW_HEIGHT);
        onReshape(width, height);
        if (textures.empty()) {
            for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
                textures.push_back(solidTexture(slot * 8, 200, 50, 255));
            }
        }
        for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
            textureTable.names[slot] = textures[slot];
        }
        // Eye at the origin looking along +x with +z up: +y is screen left.
        camera.setTarget(100.0f, 0.0f, 0.0f);
        camera.placeAt(0.0f, 0.0f, 0.0f);
        beginFrame();
    }
    void TearDown() override
    {
        glPopMatrix();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // What the frame driver sets up before the scene passes.
    void beginFrame()
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPushMatrix();
        lookThroughCamera(camera);
    }
    void clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

    Pixel read(int x, int y)
    {
        GLubyte rgba[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return Pixel{rgba[0], rgba[1], rgba[2]};
    }
    Pixel centre() { return read(width / 2, height / 2); }

    // Window pixel of a world point under the current matrices.
    void project(double x, double y, double z, int& px, int& py)
    {
        GLdouble model[16];
        GLdouble projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx = 0.0;
        GLdouble wy = 0.0;
        GLdouble wz = 0.0;
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        px = static_cast<int>(wx);
        py = static_cast<int>(wy);
    }

    // The cockpit as the frame shows it: the panel from the camera the step
    // started from, the radar from the camera as it left it.
    void drawCockpitOf(const Camera& shown)
    {
        world->shown.camera = shown;
        view.wireframe = wireframe ? 1 : 0;
        drawCockpit(*world, view);
    }

    int width = 0;
    int height = 0;
    // A world of the test's own, on the heap (it is too large for the stack).
    std::unique_ptr<World> world{new World};
    Camera& camera = world->camera;
    bool transparency = true;
    bool wireframe = false;
    ViewSettings view;
    static std::vector<GLuint> textures;
};
std::vector<GLuint> Effects::textures;
}  // namespace

TEST_F(Effects, ExplosionShowsSlotsFiveTo28OnScreenAndRestoresState)
{
    for (float frameMs : {10.0f, 40.0f}) {
        Rocket& rocket = world->rockets[3];
        rocket.explosionActive = 1;
        rocket.explosionFrame = TEX_EXPLOSION_FIRST;
        rocket.explosionTimer = 0.0f;
        rocket.explosionPoint = Vertex(20.0f, 0.0f, 0.0f);
        std::vector<int> seen;
        // As each frame does it: the step advances the explosion, the scene
        // shows the image it returned.
        while (rocket.explosionActive == 1 && seen.size() < 100) {
            const int image = advanceExplosion(rocket, frameMs);
            clear();
            drawExplosion(rocket, image, camera, transparency);
            seen.push_back(slotOfPixel(centre()));
        }
        std::vector<int> expected;
        for (int slot = TEX_EXPLOSION_FIRST; slot < TEX_EXPLOSION_END; ++slot) {
            expected.push_back(slot);
            if (frameMs < 16.0f) {
                expected.push_back(slot);
            }
        }
        EXPECT_EQ(seen, expected) << "frames of " << frameMs << " ms";
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Effects, SmokeNearTheEyeIsSkippedAndFadesOnlyWithTransparency)
{
    Rocket& rocket = world->rockets[5];
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        rocket.trail[i] = Vertex(parkedCoordinate, parkedCoordinate, parkedCoordinate);
        rocket.trailLife[i] = 0.0f;
    }
    textureTable.names[TEX_SMOKE] = solidTexture(255, 255, 255, 255);

    rocket.trail[7] = Vertex(2.5f, 0.0f, 0.0f);
    rocket.trailLife[7] = 0.5f;
    clear();
    drawSmokeTrail(rocket, camera, transparency);
    EXPECT_EQ(centre().r, 0);

    rocket.trail[7] = Vertex(2.51f, 0.0f, 0.0f);
    clear();
    drawSmokeTrail(rocket, camera, transparency);
    EXPECT_NEAR(centre().r, 128, 2);  // half faded over black

    transparency = false;
    clear();
    drawSmokeTrail(rocket, camera, transparency);
    EXPECT_EQ(centre().r, 255);  // opaque whatever its life
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// An earlier sprite's clear corners hide nothing drawn after it: neither a
// particle of the same trail nor another rocket's blast further away.
TEST_F(Effects, TransparentSpriteCornersHideNeitherSmokeNorExplosionBehind)
{
    // 4 × 4 smoke: an opaque white middle, a fully clear ring around it.
    GLubyte texels[4][4][4] = {};
    for (int y = 1; y <= 2; ++y) {
        for (int x = 1; x <= 2; ++x) {
            for (GLubyte& channel : texels[y][x]) {
                channel = 255;
            }
        }
    }
    GLuint smoke = rgbaTexture(4, &texels[0][0][0]);
    textureTable.names[TEX_SMOKE] = smoke;

    Rocket& trailRocket = world->rockets[0];
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        trailRocket.trail[i] = Vertex(parkedCoordinate, parkedCoordinate, parkedCoordinate);
        trailRocket.trailLife[i] = 0.0f;
    }
    // The near particle first; the far one's opaque middle lies exactly behind
    // the near one's clear upper left corner.
    trailRocket.trail[0] = Vertex(5.0f, 0.0f, 0.0f);
    trailRocket.trail[1] = Vertex(10.0f, 0.75f, 0.75f);
    trailRocket.trailLife[0] = 1.0f;
    trailRocket.trailLife[1] = 1.0f;
    // Another rocket's blast far behind, under the near particle's clear
    // lower right corner but clear of the far particle.
    Rocket& blastRocket = world->rockets[1];
    blastRocket.explosionActive = 1;
    blastRocket.explosionPoint = Vertex(20.0f, -4.0f, -4.0f);

    int farX = 0;
    int farY = 0;
    int blastX = 0;
    int blastY = 0;
    project(5.0, 0.375, 0.375, farX, farY);
    project(5.0, -0.375, -0.375, blastX, blastY);
    for (int blend = 0; blend <= 1; ++blend) {
        transparency = blend == 1;
        clear();
        drawSmokeTrail(trailRocket, camera, transparency);
        drawExplosion(blastRocket, TEX_EXPLOSION_FIRST, camera, transparency);
        const Pixel far = read(farX, farY);
        EXPECT_EQ(far.r + far.g + far.b, blend ? 3 * 255 : 0) << "far particle, transparency " << blend;
        EXPECT_EQ(slotOfPixel(read(blastX, blastY)), blend ? TEX_EXPLOSION_FIRST : -1)
            << "blast, transparency " << blend;
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_EQ(depthWrites, GL_TRUE);
    }
    glDeleteTextures(1, &smoke);
}

TEST_F(Effects, RadarBlipShowsInTheFrontScopeAheadAndTheRearScopeBehind)
{
    // A see-through panel, so only the dots show; the panel blends even with
    // transparency off.
    textureTable.names[TEX_COCKPIT] = solidTexture(255, 255, 255, 0);
    transparency = false;
    const RadarDots dots = radarDots(cockpitAxes(camera), camera);
    int frontX = 0;
    int frontY = 0;
    int rearX = 0;
    int rearY = 0;
    project(dots.front.x, dots.front.y, dots.front.z, frontX, frontY);
    project(dots.rear.x, dots.rear.y, dots.rear.z, rearX, rearY);
    EXPECT_LT(frontX, width / 2);  // front scope low left, rear low right
    EXPECT_GT(rearX, width / 2);
    EXPECT_LT(frontY, height / 4);

    camera.target = Vec3{200.0, 0.0, 0.0};
    clear();
    drawCockpitOf(camera);
    Pixel front = read(frontX, frontY);
    Pixel rear = read(rearX, rearY);
    EXPECT_EQ(front.r, 0);
    EXPECT_EQ(front.g, 255);
    EXPECT_NEAR(rear.r, 153, 1);  // the grey scope dot
    EXPECT_EQ(centre().r + centre().g + centre().b, 0);

    camera.target = Vec3{-200.0, 0.0, 0.0};
    clear();
    drawCockpitOf(camera);
    front = read(frontX, frontY);
    rear = read(rearX, rearY);
    EXPECT_NEAR(front.r, 153, 1);
    EXPECT_EQ(rear.r, 0);
    EXPECT_EQ(rear.g, 255);
}

TEST_F(Effects, CockpitIsFilledInWireframeModeWhichIsBackAfterwards)
{
    textureTable.names[TEX_COCKPIT] = solidTexture(90, 90, 90, 255);
    wireframe = true;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    // The panel is placed by the camera before the step renormalised it.
    Camera shown = camera;
    shown.view.scale(2.0);
    shown.side.scale(0.5);
    clear();
    drawCockpitOf(shown);
    EXPECT_EQ(centre().r, 90);

    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // The transform is back where the scene had it.
    GLdouble model[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    EXPECT_NEAR(model[12], 0.0, 1e-5);
    EXPECT_NEAR(model[13], 0.0, 1e-5);
    EXPECT_NEAR(model[14], 0.0, 1e-5);
}

// Wider than 4:3 (16:9, 21:9) the canopy goes on beside the panel, fixed to
// the view: the screen's corners show it whichever way the craft looks, the
// panel's middle stays its own. At 4:3 and 5:4 the panel is alone.
TEST_F(Effects, CockpitSidesFillTheCornersOfWideViewsOnlyAndTurnWithThem)
{
    textureTable.names[TEX_COCKPIT] = solidTexture(255, 255, 255, 0);  // see-through
    const std::pair<int, int> sizes[] = {{1024, 768}, {960, 768}, {1024, 576}, {1024, 439}};
    for (const auto& [w, h] : sizes) {
        onReshape(w, h);
        view.windowAspect = windowAspect(w, h);
        for (int turned = 0; turned <= 1; ++turned) {
            if (turned) {
                camera.view = Vec3{0.0, 0.6, 0.8};
                camera.up = Vec3{0.0, -0.8, 0.6};
                camera.side = Vec3{-1.0, 0.0, 0.0};
            }
            glPopMatrix();
            beginFrame();
            clear();
            drawCockpitOf(camera);
            drawCockpitSides(*world, view);
            for (int x : {0, w - 1}) {
                for (int y : {0, h - 1}) {
                    EXPECT_EQ(read(x, y).r, h < 768 ? TEX_COCKPIT_SIDES * 8 : 0)
                        << w << "x" << h << " at " << x << "," << y << " turned " << turned;
                }
            }
            EXPECT_EQ(read(w / 2, 0).r, 0);
        }
    }
    onReshape(width, height);
}

TEST_F(Effects, CourseLineClosesTheLoopFromTheLastGateToTheFirst)
{
    // Gates on an open ring in the plane x = 20, from 30 to 330 degrees: only
    // the closing segment crosses the ring's gap at 0 degrees.
    for (int i = 0; i < gateCount; ++i) {
        const double angle = (30.0 + 30.0 * i) * M_PI / 180.0;
        world->gates[i].position = Vertex(20.0f, static_cast<float>(4.0 * std::cos(angle)),
                                          static_cast<float>(4.0 * std::sin(angle)));
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    clear();
    drawCourseLine(world->gates);
    int gapX = 0;
    int gapY = 0;
    project(20.0, 4.0 * std::cos(M_PI / 6.0), 0.0, gapX, gapY);
    int brightest = 0;
    for (int dx = -2; dx <= 2; ++dx) {
        brightest = std::max(brightest, read(gapX + dx, gapY).r);
    }
    EXPECT_EQ(brightest, 255);
    EXPECT_EQ(centre().r, 0);
}
