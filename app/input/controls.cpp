#include "app/input/controls.h"

#include "app/loop/game.h"
#include "app/race/ghost_race.h"
#include "app/input/input.h"
#include "app/files/options.h"
#include "app/loop/pause.h"
#include "sim/platform_hooks.h"
#include "sound/sound.h"

namespace {

void toggle(int& flag)
{
    flag = flag ? 0 : 1;
}

// The five options of the options panel: each shows the panel again.
void toggleOption(Game& game, int& flag)
{
    game.view.optionsOverlayTimer = OPTIONS_PANEL_MS;
    toggle(flag);
}

void call(void (*hook)(Game&), Game& game)
{
    if (hook) {
        hook(game);
    }
}

// The volume is re-sent also when its bound kept it unchanged.
void raiseRadio(Game& game)
{
    if (game.radioVolume < RADIO_VOLUME_RAISE_BELOW) {
        game.radioVolume += RADIO_VOLUME_STEP;
    }
    soundSetVolume(CHANNEL_RADIO, game.radioVolume);
}

void lowerRadio(Game& game)
{
    if (game.radioVolume > RADIO_VOLUME_LOWER_ABOVE) {
        game.radioVolume -= RADIO_VOLUME_STEP;
    }
    soundSetVolume(CHANNEL_RADIO, game.radioVolume);
}

// The launch itself is the next frame's, as its first command after the
// view turns that came before the click.
void fire(Game& game)
{
    game.input.fire();
}

// Back to the start of a lap, as the next frame's first command.
void restart(Game& game)
{
    game.input.restart();
}

void clearThrust(Game& game)
{
    game.hands.thrustInput = 0;
}

void clearRoll(Game& game)
{
    game.hands.rollInput = 0;
}

void applyTextureFilter(const Game& game)
{
    if (platformHooks.applyTextureFilter) {
        platformHooks.applyTextureFilter(game.view.textureFilter, game.view.mipMapping);
    }
}

constexpr PadInput NO_PAD{};

}  // namespace

const ControlAction CONTROL_ACTIONS[] = {
    {"thrust", {characterKey('w')}, padAxis(PAD_TRIGGER_RIGHT), [](Game& g) { g.hands.thrustInput = 1; },
     clearThrust},
    {"brake", {characterKey('s')}, padAxis(PAD_TRIGGER_LEFT), [](Game& g) { g.hands.thrustInput = -1; },
     clearThrust},
    // Roll input +1 banks the craft to the left.
    {"roll_left", {characterKey('q')}, padButton(PAD_LEFT_SHOULDER), [](Game& g) { g.hands.rollInput = 1; },
     clearRoll},
    {"roll_right", {characterKey('e')}, padButton(PAD_RIGHT_SHOULDER), [](Game& g) { g.hands.rollInput = -1; },
     clearRoll},
    {"fire", {mouseKey(MOUSE_LEFT_BUTTON)}, padButton(PAD_A), fire, nullptr},
    {"radio_up", {characterKey('+')}, padButton(PAD_DPAD_UP), raiseRadio, nullptr},
    {"radio_down", {characterKey('-')}, padButton(PAD_DPAD_DOWN), lowerRadio, nullptr},
    {"fps", {specialKey(KEY_F2)}, NO_PAD, [](Game& g) { toggle(g.view.showFps); }, nullptr},
    {"wireframe", {specialKey(KEY_F3)}, NO_PAD, [](Game& g) { toggle(g.view.wireframe); }, nullptr},
    {"texture_filter", {specialKey(KEY_F4)}, NO_PAD,
     [](Game& g) {
         toggleOption(g, g.view.textureFilter);
         applyTextureFilter(g);
     },
     nullptr},
    {"mipmaps", {specialKey(KEY_F5)}, NO_PAD,
     [](Game& g) {
         toggleOption(g, g.view.mipMapping);
         applyTextureFilter(g);
     },
     nullptr},
    {"display_lists", {specialKey(KEY_F7)}, NO_PAD,
     [](Game& g) {
         toggleOption(g, g.view.displayLists);
         if (platformHooks.toggleAsteroidLists) {
             platformHooks.toggleAsteroidLists(g.view, g.world.asteroids);
         }
     },
     nullptr},
    {"culling", {specialKey(KEY_F8)}, NO_PAD, [](Game& g) { toggleOption(g, g.view.frustumCulling); }, nullptr},
    {"transparency", {specialKey(KEY_F9)}, NO_PAD, [](Game& g) { toggleOption(g, g.view.transparency); },
     nullptr},
    {"face_culling", {specialKey(KEY_F10)}, NO_PAD, [](Game& g) { toggle(g.view.faceCulling); }, nullptr},
    {"high_scores", {characterKey('h')}, padButton(PAD_BACK), [](Game& g) { toggle(g.view.showHighScores); },
     nullptr},
    {"course_line", {characterKey('i')}, NO_PAD, [](Game& g) { toggle(g.view.showCourseLine); }, nullptr},
    {"octree", {characterKey('o')}, NO_PAD, [](Game& g) { toggle(g.view.showOctree); }, nullptr},
    {"ghost", {characterKey('g')}, padButton(PAD_Y), toggleGhost, nullptr},
    {"restart", {characterKey('r')}, padButton(PAD_X), restart, nullptr},
    {"pause", {characterKey('p')}, padButton(PAD_START), togglePause, nullptr},
};
const int CONTROL_ACTION_COUNT = sizeof CONTROL_ACTIONS / sizeof CONTROL_ACTIONS[0];
static_assert(sizeof CONTROL_ACTIONS / sizeof CONTROL_ACTIONS[0] <= ACTION_CAPACITY, "room for every action");

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
void pressAction(Game& game, int action)
{
    if (!gamePaused(game) || CONTROL_ACTIONS[action].press == togglePause) {
        CONTROL_ACTIONS[action].press(game);
    }
}
}  // namespace

void pressKey(Game& game, InputKey key)
{
    const int action = playerOptions.keys.actionFor(key);
    if (action >= 0) {
        pressAction(game, action);
    }
}

void releaseKey(Game& game, InputKey key)
{
    const int action = playerOptions.keys.actionFor(key);
    if (action >= 0) {
        call(CONTROL_ACTIONS[action].release, game);
    }
}

bool keyHoldsAction(InputKey key)
{
    const int action = playerOptions.keys.actionFor(key);
    return action >= 0 && CONTROL_ACTIONS[action].release;
}

void onPadInput(Game& game, PadInput input, bool pressed)
{
    const int action = playerOptions.keys.actionForPad(input);
    if (action < 0) {
        return;
    }
    if (pressed) {
        // A pad is heard whichever window has the keyboard.
        if (!(gamePaused(game) && windowAway(game))) {
            pressAction(game, action);
        }
    } else {
        call(CONTROL_ACTIONS[action].release, game);
    }
}

void releaseHeldActions(Game& game)
{
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        call(CONTROL_ACTIONS[a].release, game);
    }
}
