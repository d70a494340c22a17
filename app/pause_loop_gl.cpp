#include "app/pause_loop.h"

#include "app/display_frame.h"
#include "app/pause.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

namespace {

// How long a paused idle turn waits for input before it polls again.
constexpr int PAUSED_WAIT_MS = 50;

// The idle turn waits and the cursor shows.
bool waitingLoop = false;

// Until X input arrives, or at most PAUSED_WAIT_MS.
void waitForInput()
{
    Display* display = glXGetCurrentDisplay();
    if (display && XPending(display) > 0) {
        return;
    }
    pollfd connection{display ? ConnectionNumber(display) : -1, POLLIN, 0};
    poll(&connection, 1, PAUSED_WAIT_MS);
}

void leaveWaitingLoop()
{
    if (!waitingLoop) {
        return;
    }
    waitingLoop = false;
    glutSetCursor(GLUT_CURSOR_NONE);
    glutIdleFunc(displayFrame);
    glutPostRedisplay();
}

void pausedIdle()
{
    if (gamePaused()) {
        waitForInput();
    } else {
        leaveWaitingLoop();
    }
}

void enterWaitingLoop()
{
    if (waitingLoop) {
        return;
    }
    waitingLoop = true;
    glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    glutIdleFunc(pausedIdle);
}

}  // namespace

bool framePlays()
{
    if (gamePaused()) {
        enterWaitingLoop();
        return false;
    }
    leaveWaitingLoop();
    return true;
}
