// Keyboard and mouse handlers, called by the toolkit's callbacks. While the
// game is paused, keys, clicks and the pointer's motion drive the pause menu
// (app/menu/menu_hands.h). In flight Escape ends the game; every other key and
// button goes through the controls table
// (app/input/controls.h), whose actions only set held levels and switches, change
// the radio volume or add a command to the next frame's input; the motion
// they cause happens in the next frame.
#pragma once

// The toolkit's codes, repeated here because the core links no toolkit;
// app/input/input_codes_check_gl.cpp holds them equal to the toolkit's own.
constexpr unsigned char KEY_ESCAPE = 27;
constexpr int KEY_F1 = 1;
constexpr int KEY_F2 = 2;
constexpr int KEY_F3 = 3;
constexpr int KEY_F4 = 4;
constexpr int KEY_F5 = 5;
constexpr int KEY_F7 = 7;
constexpr int KEY_F8 = 8;
constexpr int KEY_F9 = 9;
constexpr int KEY_F10 = 10;
constexpr int KEY_F12 = 12;
constexpr int KEY_LEFT = 100;
constexpr int KEY_UP = 101;
constexpr int KEY_RIGHT = 102;
constexpr int KEY_DOWN = 103;
constexpr int MOUSE_LEFT_BUTTON = 0;
constexpr int MOUSE_MIDDLE_BUTTON = 1;
constexpr int MOUSE_RIGHT_BUTTON = 2;
constexpr int MOUSE_BUTTON_DOWN = 0;
constexpr int MOUSE_BUTTON_UP = 1;
constexpr int MODIFIER_SHIFT = 1;
constexpr int MODIFIER_CTRL = 2;
constexpr int MODIFIER_ALT = 4;

// Radio volume steps: up only while below RADIO_VOLUME_RAISE_BELOW, down only
// while above RADIO_VOLUME_LOWER_ABOVE, so from 20 it stays on 0, 5, ... 250.
constexpr int RADIO_VOLUME_STEP = 5;
constexpr int RADIO_VOLUME_RAISE_BELOW = 246;
constexpr int RADIO_VOLUME_LOWER_ABOVE = 4;
// Mouse-look band: the pointer is kept between 101 and 299 on both axes by
// warping it back to the centre line whenever an event reaches the edge.
constexpr int MOUSE_BAND_LOW = 100;
constexpr int MOUSE_BAND_HIGH = 300;
constexpr int MOUSE_BAND_CENTRE = 200;

// The player's mouse feel (options.ini): a factor on the designed turn of
// both axes, and the vertical turned round. At the start values the angles are
// exactly the designed ones.
constexpr float MOUSE_SENSITIVITY_START = 1.0f;
struct MouseFeel {
    float sensitivity = MOUSE_SENSITIVITY_START;
    bool invertY = false;
};

struct Game;

void onKeyDown(Game& game, unsigned char key);
void onKeyUp(Game& game, unsigned char key);
void onSpecialKey(Game& game, int key);
void onSpecialKeyUp(Game& game, int key);
void onMouseButton(Game& game, int button, int state);
// Motion with a button held: the view does not turn, unless every button held
// is bound to an action held like thrust (a player who moved thrust to a
// mouse button still steers while holding it).
void onMouseDrag(Game& game, int x, int y);
// Mouse-look: motion with no button held turns the view by the pointer's
// movement (a look command of the next frame) and warps the pointer back into
// the band. The motion event a warp itself produces (the toolkit reports one
// at the warp target) only tells where the pointer now is: it never turns the
// view. While the game is paused no motion turns it: the pointer is only
// followed.
void onMouseMove(Game& game, int x, int y);

// Warps whose motion events have not arrived yet.
int pendingPointerEchoCount(const Game& game);
