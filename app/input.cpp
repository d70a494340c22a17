#include "app/input.h"

#include "app/exit_sequence.h"
#include "app/frame_cues.h"
#include "app/ghost_race.h"
#include "sim/flight.h"
#include "sim/platform_hooks.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world_state.h"
#include "sound/sound.h"

namespace {

void toggle(int& flag)
{
    flag = flag ? 0 : 1;
}

// The five options of the options panel: each shows the panel again.
void toggleOption(int& flag)
{
    optionsOverlayTimer = OPTIONS_PANEL_MS;
    toggle(flag);
}

void call(void (*hook)())
{
    if (hook) {
        hook();
    }
}

}  // namespace

void onKeyDown(unsigned char key, int, int)
{
    switch (key) {
    case KEY_ESCAPE:
        runExitSequence();
        break;
    case '+':
        if (radioVolume < RADIO_VOLUME_RAISE_BELOW) {
            radioVolume += RADIO_VOLUME_STEP;
        }
        soundSetVolume(CHANNEL_RADIO, radioVolume);
        break;
    case '-':
        if (radioVolume > RADIO_VOLUME_LOWER_ABOVE) {
            radioVolume -= RADIO_VOLUME_STEP;
        }
        soundSetVolume(CHANNEL_RADIO, radioVolume);
        break;
    case 'W':
    case 'w':
        thrustInput = 1;
        break;
    case 'S':
    case 's':
        thrustInput = -1;
        break;
    case 'Q':
    case 'q':
        rollInput = 1;
        break;
    case 'E':
    case 'e':
        rollInput = -1;
        break;
    case 'H':
    case 'h':
        toggle(showHighScores);
        break;
    case 'I':
    case 'i':
        toggle(showCourseLine);
        break;
    case 'O':
    case 'o':
        toggle(showOctree);
        break;
    case 'G':
    case 'g':
        toggleGhost();
        break;
    default:
        break;
    }
}

void onKeyUp(unsigned char key, int, int)
{
    switch (key) {
    case KEY_ESCAPE:
        runExitSequence();
        break;
    // Releasing either key of a pair clears the input, whichever is still held.
    case 'W':
    case 'w':
    case 'S':
    case 's':
        thrustInput = 0;
        break;
    case 'Q':
    case 'q':
    case 'E':
    case 'e':
        rollInput = 0;
        break;
    default:
        break;
    }
}

void onSpecialKey(int key, int, int)
{
    switch (key) {
    case KEY_F2:
        toggle(showFps);
        break;
    case KEY_F3:
        toggle(wireframe);
        break;
    case KEY_F4:
        toggleOption(textureFilter);
        call(platformHooks.applyTextureFilter);
        break;
    case KEY_F5:
        toggleOption(mipMapping);
        call(platformHooks.applyTextureFilter);
        break;
    case KEY_F7:
        toggleOption(displayLists);
        call(platformHooks.toggleAsteroidLists);
        break;
    case KEY_F8:
        toggleOption(frustumCulling);
        break;
    case KEY_F9:
        toggleOption(transparency);
        break;
    case KEY_F10:
        toggle(faceCulling);
        break;
    default:
        break;
    }
}

void onMouseButton(int button, int state, int, int)
{
    if (button != MOUSE_LEFT_BUTTON || state != MOUSE_BUTTON_DOWN) {
        return;
    }
    const int held = platformHooks.modifiers ? platformHooks.modifiers() : 0;
    // Ctrl alone holds fire; any other combination, Ctrl with Shift included, launches.
    if (held != MODIFIER_CTRL) {
        launchRocket();
        handleFrameEvents();
    }
}

void onMouseDrag(int x, int y)
{
    followDraggedPointer(x, y);
}

void onMouseMove(int x, int y)
{
    steerByMouse(x, y);
}
