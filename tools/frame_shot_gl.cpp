#include "tools/frame_shot_gl.h"

#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/game.h"
#include "app/loop/startup.h"
#include "sim/camera.h"
#include "tools/png_writer.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

float shotNow = 0.0f;

namespace {
float shotClock()
{
    return shotNow;
}
}  // namespace

int openShot(Game& game, int argc, char** argv, std::string& out, uint32_t seed)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR OUT.png\n", argv[0]);
        return 2;
    }
    out = argv[2];
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return 1;
    }
    loadWorld(game, seed);
    game.clockSource = shotClock;

    glutInitDisplayString("rgb double depth");
    glutInit(&argc, argv);
    enterDisplay("");
    installPlatformHooks();
    prepareGraphics(game);
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    return 0;
}

void aimCameraAt(Camera& camera, const Vec3& target)
{
    camera.view = Vec3{target.x - camera.position.x, target.y - camera.position.y, target.z - camera.position.z};
    camera.view.normalize();
    camera.up = Vec3{0.0, 0.0, 1.0};
    camera.side.setCross(camera.up, camera.view);
    camera.side.normalize();
    camera.up.setCross(camera.view, camera.side);
    camera.up.normalize();
}

bool saveFramePng(const std::string& path)
{
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    std::vector<unsigned char> rgb(pixels.size());
    // Mesa keeps the back buffer after the swap.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = &pixels[static_cast<size_t>(height - 1 - row) * width * 3];
        std::copy(from, from + static_cast<size_t>(width) * 3, &rgb[static_cast<size_t>(row) * width * 3]);
    }
    return writePng(path, width, height, rgb);
}

int finishShot(const std::string& out)
{
    if (!saveFramePng(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    leaveDisplay();
    return 0;
}
