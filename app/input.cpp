#include "app/input.h"

#include "app/controls.h"
#include "app/exit_sequence.h"
#include "app/pause.h"
#include "sim/flight.h"
#include "sim/platform_hooks.h"

namespace {

// Mouse buttons down now, one bit each, for deciding whether a drag steers.
unsigned heldMouseButtons = 0;

unsigned buttonBit(int button)
{
    return button >= 0 && button < 32 ? 1u << button : 0u;
}

bool dragSteers()
{
    if (heldMouseButtons == 0) {
        return false;
    }
    for (int button = 0; button < 32; ++button) {
        if ((heldMouseButtons & buttonBit(button)) && !keyHoldsAction(mouseKey(button))) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Escape is no action of the table: it always ends the game and cannot be rebound.
void onKeyDown(unsigned char key, int, int)
{
    if (key == KEY_ESCAPE) {
        runExitSequence();
        return;
    }
    pressKey(characterKey(key));
}

void onKeyUp(unsigned char key, int, int)
{
    if (key == KEY_ESCAPE) {
        runExitSequence();
        return;
    }
    releaseKey(characterKey(key));
}

void onSpecialKey(int key, int, int)
{
    pressKey(specialKey(key));
}

void onSpecialKeyUp(int key, int, int)
{
    releaseKey(specialKey(key));
}

void onMouseButton(int button, int state, int, int)
{
    if (state != MOUSE_BUTTON_DOWN) {
        heldMouseButtons &= ~buttonBit(button);
        releaseKey(mouseKey(button));
        return;
    }
    heldMouseButtons |= buttonBit(button);
    const int held = platformHooks.modifiers ? platformHooks.modifiers() : 0;
    // Ctrl alone holds fire; any other combination, Ctrl with Shift included, launches.
    if (held != MODIFIER_CTRL) {
        pressKey(mouseKey(button));
    }
}

// While paused the pointer is only followed, so that motion then never turns
// the view, not even on the first motion after the pause.
void onMouseDrag(int x, int y)
{
    if (dragSteers() && !gamePaused()) {
        steerByMouse(x, y);
    } else {
        followDraggedPointer(x, y);
    }
}

void onMouseMove(int x, int y)
{
    if (gamePaused()) {
        followDraggedPointer(x, y);
    } else {
        steerByMouse(x, y);
    }
}
