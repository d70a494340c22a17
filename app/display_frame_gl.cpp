#include "app/display_frame.h"

#include "app/frame_cues.h"
#include "app/ghost_race.h"
#include "app/overlay.h"
#include "app/pause_loop.h"
#include "app/pads_sdl.h"
#include "geometry/frustum.h"
#include "geometry/octree.h"
#include "render/backdrop.h"
#include "render/camera_view.h"
#include "render/cockpit_sides.h"
#include "render/effects.h"
#include "render/frame_effects.h"
#include "render/ghost_draw.h"
#include "render/lighting.h"
#include "render/model_draw.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world_state.h"
#include "sound/sound_sdl.h"

#include <GL/glu.h>
#include <GL/glut.h>

namespace {

void drawAsteroids()
{
    if (frustumCulling) {
        // The planes must come from the camera transform alone, so that they
        // are in the world coordinates of the octree cubes.
        frustum.update();
        if (asteroidListsInUse()) {
            octree.drawVisibleWithLists(&octree, frustum, asteroidListBase);
        } else {
            octree.drawVisible(&octree, frustum);
        }
        // Asteroids that crossed into another leaf this frame were drawn (or
        // culled) by their old leaf; they move now, for the next culled frame.
        octree.refresh(&octree);
        octree.reinsertPending();
        return;
    }
    if (asteroidListsInUse()) {
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            asteroids[i].pushTransform();
            glCallList(asteroidListBase + static_cast<unsigned int>(i));
            asteroids[i].popTransform();
        }
        return;
    }
    for (const Asteroid& asteroid : asteroids) {
        asteroid.draw();
    }
}

}  // namespace

void (*afterFirstFrame)() = nullptr;

void displayFrame()
{
    // The radio starts in the first frame after its track is decoded, paused
    // or not.
    soundUpdate();
    // Paused, the frame is the still scene under "PAUSE": nothing advances.
    const bool playing = framePlays();
    if (playing) {
        readPads();
        advanceFrame();
    }

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
    lookThroughCamera();
    placeLight();

    drawBackdrop(BACKDROP_EDGE);

    bindTexture(TEX_GATE);
    for (const Gate& gate : gates) {
        gate.draw();
    }

    if (showOctree) {
        octree.drawBoxes(&octree);
    }

    if (showCourseLine) {
        drawCourseLine();
    }

    for (const Rocket& rocket : rockets) {
        if (rocket.state == ROCKET_FLYING) {
            rocket.draw();
        }
    }

    bindTexture(TEX_ASTEROID);
    drawAsteroids();

    // The ghost is translucent: after every opaque body, before the sprites.
    GhostPose ghost;
    if (ghostRace.ghostPose(frameClock(), ghost)) {
        drawGhostCraft(ghostCraft, ghost);
    }

    // Explosions, smoke trails and the cockpit. They also change the world
    // (explosion frames, trails, the camera's normalisation), through the
    // same sequence the headless frame runs; a paused frame draws them as they stand.
    if (playing) {
        runFrameEffects(FrameEffectPasses{drawExplosion, drawSmokeTrail, drawCockpit});
    } else {
        drawStillFrameEffects(FrameEffectPasses{drawStillExplosion, drawSmokeTrail, drawStillCockpit});
    }
    drawCockpitSides();

    glPopMatrix();

    drawOverlay();

    glFlush();
    glutSwapBuffers();
    if (playing) {
        glutPostRedisplay();
    }
    if (afterFirstFrame) {
        void (*start)() = afterFirstFrame;
        afterFirstFrame = nullptr;
        start();
    }
}

void onReshape(int width, int height)
{
    glViewport(0, 0, width, height);
    viewAspect = static_cast<double>(width) / (height > 0 ? height : 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window shrunk to no height keeps a finite aspect ratio.
    gluPerspective(FIELD_OF_VIEW_DEG, static_cast<double>(width) / (height > 0 ? height : 1), NEAR_PLANE,
                   FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
