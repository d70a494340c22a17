// The game's controls as one table: every action a player can take, with its
// default keys and mouse buttons, its default game-controller input and the
// code that acts on it. The toolkit's handlers (app/input/input.h) and the pad
// reader turn what they receive into an InputKey or a PadInput and hand it
// here. A new action is one row of CONTROL_ACTIONS (app/input/controls.cpp); it can
// then be rebound in options.ini as key.NAME.
#pragma once

#include <string>

struct Game;

enum class KeySource : unsigned char { NONE, CHARACTER, SPECIAL, MOUSE };

// One key or mouse button as the toolkit reports it: a character code, a
// special-key code or a mouse button. Letters are kept in lower case, so
// both cases are one key.
struct InputKey {
    KeySource source = KeySource::NONE;
    int code = 0;

    constexpr bool bound() const { return source != KeySource::NONE; }
    constexpr bool operator==(const InputKey& other) const
    {
        return source == other.source && code == other.code;
    }
};

constexpr InputKey characterKey(unsigned char c)
{
    return {KeySource::CHARACTER, c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c};
}
constexpr InputKey specialKey(int code)
{
    return {KeySource::SPECIAL, code};
}
constexpr InputKey mouseKey(int button)
{
    return {KeySource::MOUSE, button};
}

// Game-controller buttons and axes, numbered as SDL's game-controller API
// numbers them (SDL_GameControllerButton, SDL_GameControllerAxis), so the pad
// reader passes SDL's values straight on.
enum PadButton : int {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFT_STICK,
    PAD_RIGHT_STICK,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_DPAD_UP,
    PAD_DPAD_DOWN,
    PAD_DPAD_LEFT,
    PAD_DPAD_RIGHT,
    PAD_MISC1,
    PAD_PADDLE1,
    PAD_PADDLE2,
    PAD_PADDLE3,
    PAD_PADDLE4,
    PAD_TOUCHPAD,
    PAD_BUTTON_COUNT,
};
enum PadAxis : int {
    PAD_LEFT_X,
    PAD_LEFT_Y,
    PAD_RIGHT_X,
    PAD_RIGHT_Y,
    PAD_TRIGGER_LEFT,
    PAD_TRIGGER_RIGHT,
    PAD_AXIS_COUNT,
};

enum class PadSource : unsigned char { NONE, BUTTON, AXIS };

// A pad button, or an axis taken as a button (a trigger pulled past its
// press point).
struct PadInput {
    PadSource source = PadSource::NONE;
    int code = 0;

    constexpr bool operator==(const PadInput& other) const
    {
        return source == other.source && code == other.code;
    }
};

constexpr PadInput padButton(PadButton button)
{
    return {PadSource::BUTTON, button};
}
constexpr PadInput padAxis(PadAxis axis)
{
    return {PadSource::AXIS, axis};
}

constexpr int KEYS_PER_ACTION = 2;

struct ControlAction {
    const char* name;                 // options.ini rebinds it as key.NAME
    InputKey keys[KEYS_PER_ACTION];   // default keys; unused slots unbound
    PadInput pad;                     // default pad input, or none
    void (*press)(Game& game);
    void (*release)(Game& game);      // null: releasing does nothing
};

// Room for the table's rows in the fixed-size binding state.
constexpr int ACTION_CAPACITY = 32;
extern const ControlAction CONTROL_ACTIONS[];
extern const int CONTROL_ACTION_COUNT;

// The row of that name, or -1.
int controlActionNamed(const std::string& name);

// The keys and pad input each action answers to now: the table's defaults,
// or what options.ini and the options screen made of them. Indexed like
// CONTROL_ACTIONS.
struct KeyBindings {
    InputKey keys[ACTION_CAPACITY][KEYS_PER_ACTION] = {};
    PadInput pads[ACTION_CAPACITY] = {};

    // The action bound to key, or -1.
    int actionFor(InputKey key) const;
    // The action bound to the pad input, or -1.
    int actionForPad(PadInput input) const;
};
KeyBindings defaultKeyBindings();

// A key or mouse button went down or up. Releasing a key of a held action
// (thrust, brake, rolls) clears its input, whichever key of the pair is
// still held. While the game is paused a press acts only for pause.
void pressKey(Game& game, InputKey key);
void releaseKey(Game& game, InputKey key);
// The key is bound to an action that is held (one that acts on release too).
bool keyHoldsAction(InputKey key);

// For the pad reader, once per change: a button, or a trigger past its
// press point, went down (pressed) or up.
void onPadInput(Game& game, PadInput input, bool pressed);

// Releases every held action (thrust, brake, rolls), whatever is still down.
void releaseHeldActions(Game& game);
