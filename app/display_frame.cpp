#include "app/frame.h"

#include "app/frame_state.h"
#include "app/options.h"
#include "render/lighting.h"
#include "sim/camera.h"

#include <GL/glu.h>
#include <GL/glut.h>

void displayFrame()
{
    updateFrame();

    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    if (faceCulling) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glFrontFace(GL_CW);
    glCullFace(GL_FRONT);

    glPushMatrix();
    gluLookAt(camera.position.x, camera.position.y, camera.position.z,
              camera.position.x + camera.view.x, camera.position.y + camera.view.y,
              camera.position.z + camera.view.z, camera.up.x, camera.up.y, camera.up.z);
    placeLight();

    // Scene passes, in order: backdrop, gates, octree boxes, course line,
    // rockets, asteroids, explosions and smoke trails, cockpit.

    glPopMatrix();

    // The text overlay is drawn here.

    glFlush();
    glutSwapBuffers();
    glutPostRedisplay();
}

void onReshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window shrunk to no height keeps a finite aspect ratio.
    gluPerspective(FIELD_OF_VIEW_DEG, static_cast<double>(width) / (height > 0 ? height : 1), NEAR_PLANE,
                   FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
