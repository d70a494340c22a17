#include "render/lighting.h"

#include <GL/gl.h>

namespace {
const GLfloat GLOBAL_AMBIENT[4] = {0.1f, 0.1f, 0.1f, 1.0f};
const GLfloat LIGHT1_AMBIENT[4] = {0.2f, 0.2f, 0.2f, 1.0f};
const GLfloat LIGHT1_DIFFUSE[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat LIGHT1_POSITION[4] = {0.2f, 1.0f, 0.0f, 0.0f};  // w = 0: directional
}  // namespace

void setupLighting()
{
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, GLOBAL_AMBIENT);
    glLightfv(GL_LIGHT1, GL_AMBIENT, LIGHT1_AMBIENT);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, LIGHT1_DIFFUSE);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void placeLight()
{
    glLightfv(GL_LIGHT1, GL_POSITION, LIGHT1_POSITION);
}
