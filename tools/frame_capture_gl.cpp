#include "tools/frame_capture_gl.h"

#include "app/display_frame.h"
#include "app/display_mode.h"
#include "app/startup.h"
#include "sim/platform_hooks.h"
#include "sim/random.h"
#include "tools/png_writer.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

bool loadShotWorld(int argc, char** argv, unsigned int seed)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR OUT.png\n", argv[0]);
        return false;
    }
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return false;
    }
    randomSeed(seed);
    loadWorld();
    return true;
}

void openShotDisplay(int& argc, char** argv)
{
    glutInitDisplayString("rgb double depth");
    glutInit(&argc, argv);
    enterDisplay("");
    installPlatformHooks();
    prepareGraphics();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

bool saveFrame(const std::string& path)
{
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    std::vector<unsigned char> rgb(pixels.size());
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // GL counts rows from the bottom, PNG from the top.
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = &pixels[static_cast<size_t>(height - 1 - row) * width * 3];
        std::copy(from, from + static_cast<size_t>(width) * 3, &rgb[static_cast<size_t>(row) * width * 3]);
    }
    return writePng(path, width, height, rgb);
}
