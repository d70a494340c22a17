// vorel_contact_sheet DATA_DIR OUT_DIR: renders the generated textures and
// models through the game's own graphics set-up, texture table, model
// drawing, light, backdrop and cockpit, and writes the pictures as PNG files
// for review: textures.png, explosion.png, models.png and scene.png.
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/loop/startup.h"
#include "geometry/model.h"
#include "render/backdrop.h"
#include "render/camera_view.h"
#include "render/effects.h"
#include "render/lighting.h"
#include "render/palette.h"
#include "render/texture_table.h"
#include "render/view_settings.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/platform_hooks.h"
#include "tools/png_writer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int WINDOW_WIDTH = 1024;
constexpr int WINDOW_HEIGHT = 768;

struct Canvas {
    int width;
    int height;
    std::vector<unsigned char> rgb;

    Canvas(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0) {}

    // Copies the lower-left w × h of the back buffer to (x, y), counted from
    // the canvas's top-left corner.
    void grab(int x, int y, int w, int h)
    {
        glFinish();
        std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        for (int row = 0; row < h; ++row) {
            const unsigned char* from = &pixels[static_cast<size_t>(h - 1 - row) * w * 3];
            unsigned char* to = &rgb[(static_cast<size_t>(y + row) * width + x) * 3];
            std::copy(from, from + w * 3, to);
        }
    }

    bool save(const std::string& path) const { return writePng(path, width, height, rgb); }
};

void beginPanel(int w, int h, float r, float g, float b)
{
    glViewport(0, 0, w, h);
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void flatProjection(int w, int h)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, w, 0, h);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

void checker(int w, int h, int cell)
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (int y = 0; y < h; y += cell) {
        for (int x = 0; x < w; x += cell) {
            const float v = ((x / cell + y / cell) & 1) ? 0.55f : 0.40f;
            glColor3f(v, v, v);
            glVertex2i(x, y);
            glVertex2i(x + cell, y);
            glVertex2i(x + cell, y + cell);
            glVertex2i(x, y + cell);
        }
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

void texturedQuad(int slot, float x, float y, float w, float h, float repeat = 1.0f, bool blend = true)
{
    bindTexture(slot);
    if (blend) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(repeat, 0);
    glVertex2f(x + w, y);
    glTexCoord2f(repeat, repeat);
    glVertex2f(x + w, y + h);
    glTexCoord2f(0, repeat);
    glVertex2f(x, y + h);
    glEnd();
    glDisable(GL_BLEND);
}

// An asteroid or a gate of the sheet: the loaded model placed and turned
// as the game places its objects.
template <typename Object>
Object placed(const Model& model, float x, float y, float z, float angle, float ax, float ay, float az)
{
    Object object;
    static_cast<Model&>(object) = model;
    object.position = Vertex(x, y, z);
    object.spinAngle = angle;
    object.spinAxis = Vec3{ax, ay, az};
    return object;
}

void placeAsteroid(const Model& asteroid, float x, float y, float z, float angle, float ax, float ay, float az)
{
    bindTexture(TEX_ASTEROID);
    placed<Asteroid>(asteroid, x, y, z, angle, ax, ay, az).draw();
}

void placeGate(const Model& gate, float x, float y, float z, float angle, float ax, float ay, float az, bool active)
{
    Gate g = placed<Gate>(gate, x, y, z, angle, ax, ay, az);
    g.active = active ? 1 : 0;
    bindTexture(TEX_GATE);
    glTexCoord2f(0.0f, 1.0f);  // what the backdrop leaves current in the game
    g.draw(paletteOf(PALETTE_DESIGNED));
}

// The game's projection for a panel of w × h, the camera at (0, height,
// distance) looking at the origin, and the light placed.
void modelView(int w, int h, double distance, double height)
{
    onReshape(w, h);
    gluLookAt(0.0, height, distance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    placeLight();
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

void textureSheet(const std::string& out)
{
    const int cell = 192;
    Canvas canvas(cell * 4, cell + 288 + 96);
    // Row 1: stars, rock (longitude across, latitude up), gate panels, smoke.
    beginPanel(cell, cell, 0, 0, 0);
    flatProjection(cell, cell);
    texturedQuad(TEX_STARS, 0, 0, cell, cell, 1.0f, false);
    canvas.grab(0, 0, cell, cell);
    beginPanel(cell, cell, 0, 0, 0);
    flatProjection(cell, cell);
    texturedQuad(TEX_ASTEROID, 0, cell / 4, cell, cell / 2, 1.0f, false);
    canvas.grab(cell, 0, cell, cell);
    beginPanel(cell, cell, 0, 0, 0);
    flatProjection(cell, cell);
    texturedQuad(TEX_GATE, 0, 0, cell, cell, 1.0f, false);
    canvas.grab(cell * 2, 0, cell, cell);
    beginPanel(cell, cell, 0.02f, 0.02f, 0.05f);
    flatProjection(cell, cell);
    checker(cell, cell / 2, 16);
    texturedQuad(TEX_SMOKE, 16, 0, 96, 96);
    texturedQuad(TEX_SMOKE, 120, 24, 48, 48);
    texturedQuad(TEX_SMOKE, 40, 110, 72, 72);
    texturedQuad(TEX_SMOKE, 128, 120, 40, 40);
    canvas.grab(cell * 3, 0, cell, cell);
    // Row 2: the cockpit at the game's 4:3 on plain sky (scene.png shows it
    // over the stars), and on a checker.
    beginPanel(384, 288, 0.05f, 0.07f, 0.12f);
    flatProjection(384, 288);
    texturedQuad(TEX_COCKPIT, 0, 0, 384, 288);
    canvas.grab(0, cell, 384, 288);
    beginPanel(384, 288, 0, 0, 0);
    flatProjection(384, 288);
    checker(384, 288, 24);
    texturedQuad(TEX_COCKPIT, 0, 0, 384, 288);
    canvas.grab(384, cell, 384, 288);
    // Row 3: the logo on black and on a checker.
    beginPanel(384, 96, 0, 0, 0);
    flatProjection(384, 96);
    texturedQuad(TEX_LOGO, 0, 0, 384, 96);
    canvas.grab(0, cell + 288, 384, 96);
    beginPanel(384, 96, 0, 0, 0);
    flatProjection(384, 96);
    checker(384, 96, 16);
    texturedQuad(TEX_LOGO, 0, 0, 384, 96);
    canvas.grab(384, cell + 288, 384, 96);
    canvas.save(out + "/textures.png");
}

void explosionSheet(const std::string& out)
{
    const int cell = 80;
    Canvas canvas(cell * 5, cell * 5);
    for (int frame = 0; frame < 25; ++frame) {
        beginPanel(cell, cell, 0.01f, 0.01f, 0.03f);
        flatProjection(cell, cell);
        texturedQuad(TEX_EXPLOSION_FIRST + frame, 0, 0, cell, cell);
        canvas.grab((frame % 5) * cell, (frame / 5) * cell, cell, cell);
    }
    canvas.save(out + "/explosion.png");
}

void modelSheet(const std::string& out, const Model& asteroid, const Model& gate, const Model& rocket)
{
    const int cell = 200;
    Canvas canvas(cell * 3, cell * 2);
    const float space[3] = {0.03f, 0.03f, 0.06f};
    glEnable(GL_TEXTURE_2D);

    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 22.0, 4.0);
    placeAsteroid(asteroid, 0, 0, 0, 0, 0, 1, 0);
    canvas.grab(0, 0, cell, cell);

    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 22.0, 4.0);
    placeAsteroid(asteroid, 0, 0, 0, 140, 0.3f, 1, 0.5f);
    canvas.grab(cell, 0, cell, cell);

    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 2.6, 0.8);
    bindTexture(TEX_GATE);
    glPushMatrix();
    glRotatef(-60, 0, 1, 0);
    glRotatef(20, 1, 0, 0);
    glEnable(GL_NORMALIZE);
    rocket.drawBody();
    glPopMatrix();
    canvas.grab(cell * 2, 0, cell, cell);

    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 26.0, 6.0);
    placeGate(gate, 0, 0, 0, 35, 0.3f, 1, 0.1f, true);
    canvas.grab(0, cell, cell, cell);

    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 26.0, 2.0);
    placeGate(gate, 0, 0, 0, 8, 0, 1, 0, false);
    canvas.grab(cell, cell, cell, cell);

    // To scale: a gate among asteroids, as the player meets them.
    beginPanel(cell, cell, space[0], space[1], space[2]);
    modelView(cell, cell, 60.0, 12.0);
    placeGate(gate, 0, 0, 0, 25, 0.2f, 1, 0, true);
    placeAsteroid(asteroid, -20, 4, -12, 30, 1, 0.4f, 0);
    placeAsteroid(asteroid, 17, -6, 4, 200, 0.2f, 0.5f, 1);
    placeAsteroid(asteroid, 8, 12, -30, 95, 1, 1, 0);
    canvas.grab(cell * 2, cell, cell, cell);
    canvas.save(out + "/models.png");
}

// The craft at the origin facing the active gate, among asteroids, drawn in
// the frame's order: backdrop, gates, asteroids, cockpit with the radar.
void sceneSheet(const std::string& out, World& world, const Model& asteroid, const Model& gate)
{
    Camera& camera = world.camera;
    const int w = 512;
    const int h = 384;
    Canvas canvas(w, h);
    beginPanel(w, h, 0, 0, 0);
    onReshape(w, h);
    const float gateX = 70.0f;
    const float gateY = 16.0f;
    const float gateZ = 6.0f;
    camera.setTarget(gateX, gateY, gateZ);
    camera.placeAt(0.0f, 0.0f, 0.0f);
    lookThroughCamera(camera);
    placeLight();
    glEnable(GL_DEPTH_TEST);
    drawBackdrop(BACKDROP_EDGE, camera.position, false);
    placeGate(gate, gateX, gateY, gateZ, 70, 0.1f, 1, 0.2f, true);
    placeGate(gate, 260, -90, 40, 40, 1, 0.2f, 0, false);
    placeAsteroid(asteroid, 34, -14, -6, 20, 1, 0.3f, 0.2f);
    placeAsteroid(asteroid, 120, 40, 24, 150, 0.2f, 1, 0);
    placeAsteroid(asteroid, 95, -30, 20, 250, 0.5f, 0.5f, 1);
    placeAsteroid(asteroid, 180, 20, -40, 80, 1, 1, 0);
    placeAsteroid(asteroid, 50, 30, -14, 310, 0, 0.3f, 1);
    placeAsteroid(asteroid, 230, -60, -10, 10, 1, 0, 0);
    // As a frame step leaves it: the panel where the camera stood, the radar
    // from the renormalised camera.
    world.shown.camera = camera;
    camera.normalizeAxes();
    drawCockpit(world, ViewSettings{});
    canvas.grab(0, 0, w, h);
    canvas.save(out + "/scene.png");
}

}  // namespace

// The game's projection as seen through a cell of the window: the same
// pixels per unit at every distance.
void gameScaleView(int cell, double distance)
{
    const double halfHeight = std::tan(22.5 * M_PI / 180.0) * cell / WINDOW_HEIGHT;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(2.0 * std::atan(halfHeight) * 180.0 / M_PI, 1.0, 1.0, 1024.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, distance * 0.2, distance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    placeLight();
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
}

int asteroidBudgetSheet(const std::string& out, const std::vector<const char*>& files)
{
    const int cell = 200;
    const float space[3] = {0.03f, 0.03f, 0.06f};
    const int count = static_cast<int>(files.size());
    Canvas canvas(cell * 4, cell * count);
    glEnable(GL_TEXTURE_2D);
    static std::vector<Model> models(files.size());
    for (int row = 0; row < count; ++row) {
        Model& asteroid = models[static_cast<size_t>(row)];
        asteroid.load(files[static_cast<size_t>(row)]);
        const struct {
            double distance;
            float angle;
        } cells[4] = {{80.0, 0.0f}, {80.0, 140.0f}, {160.0, 60.0f}, {320.0, 200.0f}};
        for (int c = 0; c < 4; ++c) {
            beginPanel(cell, cell, space[0], space[1], space[2]);
            gameScaleView(cell, cells[c].distance);
            placeAsteroid(asteroid, 0, 0, 0, cells[c].angle, 0.3f, 1, 0.5f);
            canvas.grab(cell * c, cell * row, cell, cell);
        }
    }
    return canvas.save(out) ? 0 : 1;
}

int main(int argc, char** argv)
{
    const bool budgets = argc >= 5 && std::string(argv[1]) == "--asteroids";
    if (argc != 3 && !budgets) {
        std::fprintf(stderr, "usage: %s DATA_DIR OUT_DIR\n       %s --asteroids OUT.png DATA_DIR MODEL...\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string outDir = argv[2];
    glutInitDisplayString("rgb double depth");
    glutInit(&argc, argv);
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutCreateWindow("vorel contact sheet");
    glutDisplayFunc([] {});
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }
    // With --asteroids the output and model paths are absolute: the textures
    // are read from inside the data directory.
    const char* dataDir = budgets ? argv[3] : argv[1];
    if (chdir(dataDir) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", dataDir);
        return 1;
    }
    // The game's fixed graphics state and texture table; its callbacks are
    // registered too, but no event is pumped from here on.
    installPlatformHooks();
    const auto game = std::make_unique<Game>();
    prepareGraphics(*game);
    if (budgets) {
        return asteroidBudgetSheet(argv[2], std::vector<const char*>(argv + 4, argv + argc));
    }
    static Model asteroid;
    static Model gate;
    static Model rocket;
    asteroid.load("asteroid1.txt");
    gate.load("tor.txt");
    rocket.load("rocket.txt");

    textureSheet(outDir);
    explosionSheet(outDir);
    modelSheet(outDir, asteroid, gate, rocket);
    sceneSheet(outDir, game->world, asteroid, gate);
    return 0;
}
