#include "app/loop/display_frame.h"

#include "app/hud/overlay.h"
#include "app/input/pads_sdl.h"
#include "app/loop/frame_cues.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/loop/pause_loop.h"
#include "app/menu/menu_draw.h"
#include "app/race/replay_view.h"
#include "render/scene.h"
#include "sound/sound_sdl.h"

#include <GL/glu.h>
#include <GL/glut.h>

void displayFrame(Game& game)
{
    // The radio starts in the first frame after its track is decoded, paused
    // or not.
    soundUpdate();
    // Paused, the frame is the still scene under the pause menu: nothing advances.
    const bool playing = framePlays(game);

    // Watching the best lap: its own frames, over and over, the game paused behind it.
    if (watchingReplay(game)) {
        drawReplayFrame(game);
        glFlush();
        glutSwapBuffers();
        glutPostRedisplay();
        return;
    }

    const float now = playClock(game);
    if (playing) {
        readPads(game, now - game.world.lastFrameTime);
        advanceFrame(game, now);
    }

    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SceneGhost ghost;
    if (game.ghost.ghostPose(now, game.world.lapStartTime, game.view.showGhost != 0, ghost.pose)) {
        ghost.craft = &game.ghost.craft;
    }
    drawScene(game.world, game.view, ghost);
    drawOverlay(game, now);
    if (!playing) {
        drawMenu(game.menu);
    }

    glFlush();
    glutSwapBuffers();
    if (playing) {
        glutPostRedisplay();
    }
    if (game.afterFirstFrame) {
        void (*start)(Game&) = game.afterFirstFrame;
        game.afterFirstFrame = nullptr;
        start(game);
    }
}

double windowAspect(int width, int height)
{
    return static_cast<double>(width) / (height > 0 ? height : 1);
}

void onReshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW_DEG, windowAspect(width, height), NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
