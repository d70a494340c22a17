#include "support/gl_window.h"

#include "app/loop/display_mode.h"

#include <GL/glut.h>

namespace {
bool windowOpen = false;
void drawNothing() {}
}  // namespace

void ensureGlWindow()
{
    if (windowOpen) {
        return;
    }
    int argc = 1;
    char name[] = "vorel_platform_tests";
    char* argv[] = {name, nullptr};
    glutInitDisplayString("rgb double depth");
    glutInit(&argc, argv);
    enterDisplay("1024x768:32@60");
    glutDisplayFunc(drawNothing);
    windowOpen = true;
}
