#include "render/graphics_state.h"

#include "render/lighting.h"

#include <GL/gl.h>

void setupFixedGraphicsState()
{
    setupLighting();
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}
