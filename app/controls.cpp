#include "app/controls.h"

#include "app/frame_cues.h"
#include "app/ghost_race.h"
#include "app/input.h"
#include "app/pause.h"
#include "sim/platform_hooks.h"
#include "sim/restart.h"
#include "sim/rocket.h"
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

// The volume is re-sent also when its bound kept it unchanged.
void raiseRadio()
{
    if (radioVolume < RADIO_VOLUME_RAISE_BELOW) {
        radioVolume += RADIO_VOLUME_STEP;
    }
    soundSetVolume(CHANNEL_RADIO, radioVolume);
}

void lowerRadio()
{
    if (radioVolume > RADIO_VOLUME_LOWER_ABOVE) {
        radioVolume -= RADIO_VOLUME_STEP;
    }
    soundSetVolume(CHANNEL_RADIO, radioVolume);
}

// A launch between frames plays its cue at once.
void fire()
{
    launchRocket();
    handleFrameEvents();
}

// A restart between frames reports it at once.
void restart()
{
    restartLap();
    handleFrameEvents();
}

void clearThrust()
{
    thrustInput = 0;
}

void clearRoll()
{
    rollInput = 0;
}

constexpr PadInput NO_PAD{};

}  // namespace

const ControlAction CONTROL_ACTIONS[] = {
    {"thrust", {characterKey('w')}, padAxis(PAD_TRIGGER_RIGHT), [] { thrustInput = 1; }, clearThrust},
    {"brake", {characterKey('s')}, padAxis(PAD_TRIGGER_LEFT), [] { thrustInput = -1; }, clearThrust},
    // Roll input +1 banks the craft to the left.
    {"roll_left", {characterKey('q')}, padButton(PAD_LEFT_SHOULDER), [] { rollInput = 1; }, clearRoll},
    {"roll_right", {characterKey('e')}, padButton(PAD_RIGHT_SHOULDER), [] { rollInput = -1; }, clearRoll},
    {"fire", {mouseKey(MOUSE_LEFT_BUTTON)}, padButton(PAD_A), fire, nullptr},
    {"radio_up", {characterKey('+')}, padButton(PAD_DPAD_UP), raiseRadio, nullptr},
    {"radio_down", {characterKey('-')}, padButton(PAD_DPAD_DOWN), lowerRadio, nullptr},
    {"fps", {specialKey(KEY_F2)}, NO_PAD, [] { toggle(showFps); }, nullptr},
    {"wireframe", {specialKey(KEY_F3)}, NO_PAD, [] { toggle(wireframe); }, nullptr},
    {"texture_filter", {specialKey(KEY_F4)}, NO_PAD,
     [] {
         toggleOption(textureFilter);
         call(platformHooks.applyTextureFilter);
     },
     nullptr},
    {"mipmaps", {specialKey(KEY_F5)}, NO_PAD,
     [] {
         toggleOption(mipMapping);
         call(platformHooks.applyTextureFilter);
     },
     nullptr},
    {"display_lists", {specialKey(KEY_F7)}, NO_PAD,
     [] {
         toggleOption(displayLists);
         call(platformHooks.toggleAsteroidLists);
     },
     nullptr},
    {"culling", {specialKey(KEY_F8)}, NO_PAD, [] { toggleOption(frustumCulling); }, nullptr},
    {"transparency", {specialKey(KEY_F9)}, NO_PAD, [] { toggleOption(transparency); }, nullptr},
    {"face_culling", {specialKey(KEY_F10)}, NO_PAD, [] { toggle(faceCulling); }, nullptr},
    {"high_scores", {characterKey('h')}, padButton(PAD_BACK), [] { toggle(showHighScores); }, nullptr},
    {"course_line", {characterKey('i')}, NO_PAD, [] { toggle(showCourseLine); }, nullptr},
    {"octree", {characterKey('o')}, NO_PAD, [] { toggle(showOctree); }, nullptr},
    {"ghost", {characterKey('g')}, padButton(PAD_Y), toggleGhost, nullptr},
    {"restart", {characterKey('r')}, padButton(PAD_X), restart, nullptr},
    {"pause", {characterKey('p')}, padButton(PAD_START), togglePause, nullptr},
};
const int CONTROL_ACTION_COUNT = sizeof CONTROL_ACTIONS / sizeof CONTROL_ACTIONS[0];
static_assert(sizeof CONTROL_ACTIONS / sizeof CONTROL_ACTIONS[0] <= ACTION_CAPACITY, "room for every action");

// After the table, which it is made from.
KeyBindings keyBindings = defaultKeyBindings();

int controlActionNamed(const std::string& name)
{
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        if (name == CONTROL_ACTIONS[a].name) {
            return a;
        }
    }
    return -1;
}

KeyBindings defaultKeyBindings()
{
    KeyBindings bindings;
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        for (int k = 0; k < KEYS_PER_ACTION; ++k) {
            bindings.keys[a][k] = CONTROL_ACTIONS[a].keys[k];
        }
        bindings.pads[a] = CONTROL_ACTIONS[a].pad;
    }
    return bindings;
}

int KeyBindings::actionFor(InputKey key) const
{
    if (!key.bound()) {
        return -1;
    }
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        for (const InputKey& bound : keys[a]) {
            if (bound == key) {
                return a;
            }
        }
    }
    return -1;
}

int KeyBindings::actionForPad(PadInput input) const
{
    for (int a = 0; input.source != PadSource::NONE && a < CONTROL_ACTION_COUNT; ++a) {
        if (pads[a] == input) {
            return a;
        }
    }
    return -1;
}

namespace {
// While paused only the pause action acts: the world stands still and nothing
// counts down. Releases still act; they only clear held inputs.
void pressAction(int action)
{
    if (!gamePaused() || CONTROL_ACTIONS[action].press == togglePause) {
        CONTROL_ACTIONS[action].press();
    }
}
}  // namespace

void pressKey(InputKey key)
{
    const int action = keyBindings.actionFor(key);
    if (action >= 0) {
        pressAction(action);
    }
}

void releaseKey(InputKey key)
{
    const int action = keyBindings.actionFor(key);
    if (action >= 0) {
        call(CONTROL_ACTIONS[action].release);
    }
}

bool keyHoldsAction(InputKey key)
{
    const int action = keyBindings.actionFor(key);
    return action >= 0 && CONTROL_ACTIONS[action].release;
}

void onPadInput(PadInput input, bool pressed)
{
    const int action = keyBindings.actionForPad(input);
    if (action < 0) {
        return;
    }
    if (pressed) {
        pressAction(action);
    } else {
        call(CONTROL_ACTIONS[action].release);
    }
}

void releaseHeldActions()
{
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        call(CONTROL_ACTIONS[a].release);
    }
}
