#include "app/loop/pause_loop.h"

#include "app/input/pads_sdl.h"
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/menu/menu_hands.h"
#include "sound/sound_sdl.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

namespace {

// How long a paused idle turn waits for input before it polls again, and how
// often the focus is asked for: each ask is a few round trips to the X server.
constexpr int PAUSED_WAIT_MS = 50;
constexpr auto FOCUS_POLL_INTERVAL = std::chrono::milliseconds(100);

// The one record of the paused loop: the toolkit's window-status callback
// and the waiting idle turn take no argument of ours, so the game they act
// on and what they know of the window live here.
struct FocusWatch {
    Game* game = nullptr;
    bool on = false;
    Display* display = nullptr;
    Window window = 0;
    bool hadFocus = false;     // seen on our window since it was last lost
    bool windowShown = false;  // mapped and visible since it was last hidden
    bool focusGone = false;    // lost after we had it, and not back yet
    bool hidden = false;       // hidden after it was shown, and not shown again
    std::chrono::steady_clock::time_point nextPoll;
    bool waiting = false;      // the idle turn waits and the cursor shows
};
FocusWatch watch;

Window parentOf(Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(watch.display, window, &root, &parent, &children, &count)) {
        return 0;
    }
    if (children) {
        XFree(children);
    }
    return parent == root ? 0 : parent;
}

// The keyboard goes to our window, or to a window manager's frame around it.
// PointerRoot sends it to whatever top-level window is under the pointer.
bool focusIsOurs()
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(watch.display, &focus, &revertTo);
    if (focus == PointerRoot) {
        Window root = 0;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned int buttons = 0;
        if (!XQueryPointer(watch.display, DefaultRootWindow(watch.display), &root, &focus, &rootX, &rootY, &x, &y,
                           &buttons)) {
            return false;  // the pointer is on another screen
        }
    }
    if (focus == None) {
        return false;
    }
    for (Window w = watch.window; w != 0; w = parentOf(w)) {
        if (w == focus) {
            return true;
        }
    }
    return false;
}

// Only a loss pauses: a window manager may hand the focus over a moment after
// the window appears, and a desktop that never reports it must not pause us.
// After a loss the window is away until the focus is back.
void pollFocus()
{
    const auto now = std::chrono::steady_clock::now();
    if (!watch.on || now < watch.nextPoll) {
        return;
    }
    watch.nextPoll = now + FOCUS_POLL_INTERVAL;
    const bool ours = focusIsOurs();
    if (watch.hadFocus && !ours) {
        watch.focusGone = true;
    } else if (ours) {
        watch.focusGone = false;
    }
    watch.hadFocus = ours;
    setWindowAway(*watch.game, watch.focusGone || watch.hidden);
}

void onWindowStatus(int status)
{
    if (status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED) {
        watch.hidden = watch.hidden || watch.windowShown;
        watch.windowShown = false;
    } else {
        watch.windowShown = true;
        watch.hidden = false;
    }
    if (watch.game) {
        setWindowAway(*watch.game, watch.focusGone || watch.hidden);
    }
}

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

void displayWatchedGame()
{
    displayFrame(*watch.game);
}

void leaveWaitingLoop()
{
    if (!watch.waiting) {
        return;
    }
    watch.waiting = false;
    glutSetCursor(GLUT_CURSOR_NONE);
    glutIdleFunc(displayWatchedGame);
    glutPostRedisplay();
}

void pausedIdle()
{
    Game& game = *watch.game;
    // The pads drive the menu from here: SDL has no window to wake us. A
    // radio decoded while paused starts as it would in a frame.
    PadState states[PAD_CAPACITY];
    const int count = readPadStates(states);
    soundUpdate();
    pollFocus();
    if (watchingReplay(game)) {
        // The watch takes the pads and draws frame after frame: no waiting.
        replayPads(game, combinePads(states, count));
        return;
    }
    if (windowAway(game)) {
        // Nothing a pad does reaches the menu unseen; what it holds when the
        // window is back acts only once let go and pressed again.
        game.menu.padReader.reset();
    } else if (gamePaused(game)) {
        menuPads(game, states, count, game.clockSource ? game.clockSource() : 0.0f);
    }
    if (gamePaused(game)) {
        waitForInput();
    } else {
        leaveWaitingLoop();
    }
}

void enterWaitingLoop()
{
    if (watch.waiting) {
        return;
    }
    watch.waiting = true;
    glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    glutIdleFunc(pausedIdle);
}

}  // namespace

bool framePlays(Game& game)
{
    watch.game = &game;
    pollFocus();
    if (gamePaused(game)) {
        enterWaitingLoop();
        return false;
    }
    leaveWaitingLoop();
    return true;
}

void watchFocus(Game& game)
{
    const bool waiting = watch.waiting;
    watch = FocusWatch{};
    watch.waiting = waiting;
    watch.game = &game;
    watch.display = glXGetCurrentDisplay();
    watch.window = glXGetCurrentDrawable();
    watch.on = watch.display && watch.window;
    glutWindowStatusFunc(onWindowStatus);
}
