#include "app/loop/display_mode.h"

#include "app/loop/display_server.h"

#include <GL/glut.h>
#include <GL/glx.h>

#include <cstdio>
#include <string>

namespace {
// Where the display stands, for the exit sequence, which may run from any
// toolkit callback or after the main loop has returned.
struct DisplayState {
    bool gameModeEntered = false;
    // After the main loop has returned every toolkit call aborts the program.
    bool mainLoopEnded = false;
};
DisplayState displayState;

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalInt = int (*)(int);

void* lookUp(const char* name)
{
    return reinterpret_cast<void*>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

bool glxHasExtension(const char* name)
{
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        return false;
    }
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (!list) {
        return false;
    }
    const std::string extensions = std::string(" ") + list + " ";
    return extensions.find(std::string(" ") + name + " ") != std::string::npos;
}
}  // namespace

void enterDisplay(const char* gameModeString, const char* displayName)
{
    // XWayland is asked for no mode at all: the one of Debian 12 crashes on the
    // toolkit's mode query and takes the game's connection with it.
    if (displayIsXWayland(displayName)) {
        std::fprintf(stderr, "vorel: XWayland cannot change screen settings, opening a full-screen window\n");
        displayState.gameModeEntered = false;
    } else {
        glutGameModeString(gameModeString);
        // freeglut returns 0 and creates no window when the mode change fails;
        // any later call that needs a window would then abort the program.
        displayState.gameModeEntered = glutEnterGameMode() != 0 && glutGameModeGet(GLUT_GAME_MODE_ACTIVE);
    }
    if (!displayState.gameModeEntered) {
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
        glutCreateWindow("vorel");
        glutFullScreen();
    }
    // XWayland honours the pointer warps of mouse-look only while the cursor
    // is hidden inside the window: this hidden cursor is what keeps the view
    // turning there (docs/wayland.md).
    glutSetCursor(GLUT_CURSOR_NONE);
}

void leaveDisplay()
{
    if (displayState.mainLoopEnded) {
        return;
    }
    if (displayState.gameModeEntered) {
        glutLeaveGameMode();
        displayState.gameModeEntered = false;
    }
}

void displayMainLoopEnded()
{
    displayState.mainLoopEnded = true;
}

bool displayInGameMode()
{
    return displayState.gameModeEntered;
}

void setSwapInterval(int interval)
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) {
        return;
    }
    if (glxHasExtension("GLX_EXT_swap_control")) {
        if (auto ext = reinterpret_cast<SwapIntervalExt>(lookUp("glXSwapIntervalEXT"))) {
            ext(display, drawable, interval);
            return;
        }
    }
    if (glxHasExtension("GLX_MESA_swap_control")) {
        if (auto mesa = reinterpret_cast<SwapIntervalInt>(lookUp("glXSwapIntervalMESA"))) {
            mesa(interval);
            return;
        }
    }
    if (glxHasExtension("GLX_SGI_swap_control")) {
        // The SGI variant refuses 0; it can only slow the swap down.
        if (auto sgi = reinterpret_cast<SwapIntervalInt>(lookUp("glXSwapIntervalSGI"))) {
            sgi(interval);
        }
    }
}
