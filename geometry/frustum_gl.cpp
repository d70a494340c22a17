#include "geometry/frustum.h"

#include <GL/gl.h>

void Frustum::update()
{
    float modelviewMatrix[16];
    float projectionMatrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelviewMatrix);
    glGetFloatv(GL_PROJECTION_MATRIX, projectionMatrix);
    setFromMatrices(modelviewMatrix, projectionMatrix);
}
