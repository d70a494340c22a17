#include "app/startup.h"

#include "app/display_mode.h"
#include "app/frame.h"
#include "app/high_scores.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/settings.h"
#include "app/timer.h"
#include "geometry/octree.h"
#include "render/lighting.h"
#include "render/model_draw.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/course.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "sound/sound_sdl.h"

#include <GL/freeglut.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace {

const char* const DISPLAY_STRING = "rgb double depth hw=1";

bool mainLoopEnded = false;

void exitProcess(int status)
{
    std::exit(status);
}

void leaveDisplayHook()
{
    // After the main loop has returned every toolkit call aborts the program.
    if (!mainLoopEnded) {
        leaveDisplay();
    }
}

}  // namespace

void registerCallbacks()
{
    glutReshapeFunc(onReshape);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(displayFrame);
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseDrag);
    glutPassiveMotionFunc(onMouseMove);
    glutSpecialFunc(onSpecialKey);
}

void installPlatformHooks()
{
    platformHooks.warpPointer = glutWarpPointer;
    platformHooks.modifiers = glutGetModifiers;
    platformHooks.leaveDisplay = leaveDisplayHook;
    platformHooks.closeSound = soundShutdown;
    platformHooks.exitProcess = exitProcess;
    platformHooks.applyTextureFilter = applyTextureFilter;
    platformHooks.toggleAsteroidLists = toggleAsteroidLists;
}

int runGame(int argc, char** argv)
{
    // 1. Two runs started in the same second get the same asteroid field.
    randomSeed(static_cast<uint32_t>(std::time(nullptr)));

    // 2-3.
    readSettings();
    readHighScores();

    // 4-6. Every object record loads its model.
    for (Asteroid& asteroid : asteroids) {
        asteroid.load("asteroid1.txt");
    }
    for (Rocket& rocket : rockets) {
        rocket.load("rocket.txt");
    }
    for (Gate& gate : gates) {
        gate.load("tor.txt");
    }

    // 4, 7-9. The random part of the world (asteroid field, gate spin axes),
    // the course, the camera facing gate 0 and the lap state. Loading draws
    // no random numbers, so the field depends on the seed alone.
    setUpWorld();

    // 10-11.
    timerInit();
    soundInit();

    // 12. Display. The display string must be set before glutInit.
    glutInitDisplayString(DISPLAY_STRING);
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    enterDisplay(gameModeString);
    // From here on the core may reach the display, e.g. to leave game mode
    // when a texture is missing.
    installPlatformHooks();

    // 13-15.
    setupLighting();
    registerCallbacks();
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);

    // 16.
    loadTextureTable();

    // 17. Frames run as fast as the machine allows.
    setSwapInterval(0);

    // 18. The asteroid field filed in the octree, for culled frames.
    octree.build(OCTREE_DEPTH);
    for (Asteroid& asteroid : asteroids) {
        octree.insert(&asteroid);
    }

    glutMainLoop();

    // Only reached when the window was closed from outside: end the run as
    // Escape does, so the best lap is still saved.
    mainLoopEnded = true;
    runExitSequence();
    return 0;
}
