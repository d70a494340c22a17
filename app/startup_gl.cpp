#include "app/startup.h"

#include "app/display_frame.h"
#include "app/display_mode.h"
#include "app/display_server.h"
#include "app/exit_sequence.h"
#include "app/high_scores.h"
#include "app/input.h"
#include "app/options.h"
#include "app/pads_sdl.h"
#include "app/pause.h"
#include "app/pause_loop.h"
#include "app/physical_keys.h"
#include "app/settings.h"
#include "app/timer.h"
#include "geometry/octree.h"
#include "render/graphics_state.h"
#include "render/model_draw.h"
#include "render/texture_decoding.h"
#include "render/texture_table.h"
#include "sim/asteroid.h"
#include "sim/course.h"
#include "sim/platform_hooks.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "sound/sound_sdl.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
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

// The X connection is gone (a logout, a display server restarted or
// crashed): Xlib would call exit, whose handlers tear down the toolkit and
// the GL driver on a dead connection, the driver while its own threads may
// still be drawing. Nothing of the display can be saved; the sound is
// stopped and the process ends at once.
int onDisplayLost(Display* display)
{
    std::fprintf(stderr, "X connection to %s broken (explicit kill or server shutdown).\n", DisplayString(display));
    soundShutdown();
    std::fflush(stdout);
    _exit(1);
}

void startSoundAndPads()
{
    soundInit();
    startPads();
}

}  // namespace

void registerCallbacks()
{
    glutReshapeFunc(onReshape);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(displayFrame);
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc(onPhysicalKeyDown);
    glutKeyboardUpFunc(onPhysicalKeyUp);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseDrag);
    glutPassiveMotionFunc(onMouseMove);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
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

void loadWorld()
{
    readSettings();
    readOptions();
    readHighScores();

    for (Asteroid& asteroid : asteroids) {
        asteroid.load("asteroid1.txt");
    }
    for (Rocket& rocket : rockets) {
        rocket.load("rocket.txt");
    }
    for (Gate& gate : gates) {
        gate.load("tor.txt");
    }

    // The random part of the world (asteroid field, gate spin axes), the
    // course, the camera facing gate 0 and the lap state. Loading draws no
    // random numbers, so the field depends on the seed alone.
    setUpWorld();
}

void prepareGraphics()
{
    setupFixedGraphicsState();
    registerCallbacks();

    loadTextureTable();

    // Frames run as fast as the machine allows, unless the player asked to
    // wait for the retrace.
    setSwapInterval(displayOptions.vsync ? 1 : 0);

    // The asteroid field filed in the octree, for culled frames.
    octree.build(OCTREE_DEPTH);
    for (Asteroid& asteroid : asteroids) {
        octree.insert(&asteroid);
    }
}

int runGame(int argc, char** argv)
{
    // The images and their mipmap levels are decoded on the second core while
    // the world and the display are set up; the texture table uploads them
    // once the display exists.
    startTextureDecoding();

    // Two runs started in the same second get the same asteroid field.
    randomSeed(static_cast<uint32_t>(std::time(nullptr)));
    loadWorld();

    timerInit();
    // The world's clock leaves paused time out.
    playClockSource = timerGetTime;
    frameClock = playClock;
    // The sound and the game controllers start right after the first frame
    // is shown: the picture does not wait for SDL's devices.
    afterFirstFrame = startSoundAndPads;

    // The display string must be set before glutInit, and the display's name
    // read before glutInit removes it from the arguments.
    glutInitDisplayString(DISPLAY_STRING);
    const char* displayName = displayNameArgument(argc, argv);
    glutInit(&argc, argv);
    XSetIOErrorHandler(onDisplayLost);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    enterDisplay(gameModeString, displayName);
    // From here on the core may reach the display, e.g. to leave game mode
    // when a texture is missing.
    installPlatformHooks();

    prepareGraphics();
    watchFocus();

    glutMainLoop();

    // Only reached when the window was closed from outside: end the run as
    // Escape does, so the best lap is still saved.
    mainLoopEnded = true;
    runExitSequence();
    return 0;
}
