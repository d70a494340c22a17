#include "app/loop/startup.h"

#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/display_server.h"
#include "app/loop/exit_sequence.h"
#include "app/loop/game.h"
#include "app/files/high_scores.h"
#include "app/input/input.h"
#include "app/files/options.h"
#include "app/input/pads_sdl.h"
#include "app/loop/pause.h"
#include "app/loop/pause_loop.h"
#include "app/input/physical_keys.h"
#include "app/files/settings.h"
#include "app/loop/timer.h"
#include "render/graphics_state.h"
#include "render/model_draw.h"
#include "render/texture_decoding.h"
#include "render/texture_table.h"
#include "sim/platform_hooks.h"
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

// The game the toolkit's callbacks act on: they take no argument of ours.
Game* callbackGame = nullptr;

void exitProcess(int status)
{
    std::exit(status);
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

void startSoundAndPads(Game& game)
{
    soundInit(game.radioVolume);
    startPads();
}

}  // namespace

void registerCallbacks(Game& game)
{
    callbackGame = &game;
    glutReshapeFunc([](int width, int height) {
        onReshape(width, height);
        callbackGame->view.windowAspect = windowAspect(width, height);
    });
    glutDisplayFunc([] { displayFrame(*callbackGame); });
    glutIdleFunc([] { displayFrame(*callbackGame); });
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc([](unsigned char key, int, int) { onPhysicalKeyDown(*callbackGame, key); });
    glutKeyboardUpFunc([](unsigned char key, int, int) { onPhysicalKeyUp(*callbackGame, key); });
    glutMouseFunc([](int button, int state, int, int) { onMouseButton(*callbackGame, button, state); });
    glutMotionFunc([](int x, int y) { onMouseDrag(*callbackGame, x, y); });
    glutPassiveMotionFunc([](int x, int y) { onMouseMove(*callbackGame, x, y); });
    glutSpecialFunc([](int key, int, int) { onSpecialKey(*callbackGame, key); });
    glutSpecialUpFunc([](int key, int, int) { onSpecialKeyUp(*callbackGame, key); });
}

void installPlatformHooks()
{
    platformHooks.warpPointer = glutWarpPointer;
    platformHooks.modifiers = glutGetModifiers;
    platformHooks.leaveDisplay = leaveDisplay;
    platformHooks.closeSound = soundShutdown;
    platformHooks.exitProcess = exitProcess;
    platformHooks.redisplay = glutPostRedisplay;
    platformHooks.setSwapInterval = setSwapInterval;
    platformHooks.applyTextureFilter = applyTextureFilter;
    platformHooks.toggleAsteroidLists = toggleAsteroidLists;
}

void loadWorld(Game& game, uint32_t seed)
{
    readSettings();
    readOptions();
    readHighScores();

    loadWorldModels(game.world);
    // The random part of the world (asteroid field, gate spin axes), the
    // course, the camera facing gate 0, the lap state and the octree. Loading
    // draws no random numbers, so the field depends on the seed alone.
    startGame(game, seed);
    game.view.hudScale = static_cast<int>(playerOptions.display.hudScale);
    game.view.palette = static_cast<int>(playerOptions.display.palette);
    game.view.vsync = playerOptions.display.vsync ? 1 : 0;
}

void prepareGraphics(Game& game)
{
    setupFixedGraphicsState();
    registerCallbacks(game);

    loadTextureTable();

    // Frames run as fast as the machine allows, unless the player asked to
    // wait for the retrace.
    setSwapInterval(playerOptions.display.vsync ? 1 : 0);
}

int runGame(int argc, char** argv)
{
    // The images and their mipmap levels are decoded on the second core while
    // the world and the display are set up; the texture table uploads them
    // once the display exists.
    startTextureDecoding();

    // The one game of the process, for the toolkit's callbacks; on the heap,
    // as the world is too large for the stack, and never freed: it lives as
    // long as the process.
    Game& game = *new Game;
    // Two runs started in the same second get the same asteroid field.
    loadWorld(game, static_cast<uint32_t>(std::time(nullptr)));

    timerInit();
    // The world's clock leaves paused time out (app/loop/pause.h).
    game.clockSource = timerGetTime;
    // The sound and the game controllers start right after the first frame
    // is shown: the picture does not wait for SDL's devices.
    game.afterFirstFrame = startSoundAndPads;

    // The display string must be set before glutInit, and the display's name
    // read before glutInit removes it from the arguments.
    glutInitDisplayString(DISPLAY_STRING);
    const char* displayName = displayNameArgument(argc, argv);
    glutInit(&argc, argv);
    XSetIOErrorHandler(onDisplayLost);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    enterDisplay(settingsRead.gameModeString, displayName);
    // From here on the core may reach the display, e.g. to leave game mode
    // when a texture is missing.
    installPlatformHooks();

    prepareGraphics(game);
    watchFocus(game);

    glutMainLoop();

    // Only reached when the window was closed from outside: end the run as
    // Escape does, so the best lap is still saved.
    displayMainLoopEnded();
    runExitSequence(game);
    return 0;
}
