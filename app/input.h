// Keyboard and mouse handlers, registered as toolkit callbacks. Escape ends
// the game; every other key and button goes through the controls table
// (app/controls.h), whose actions only set inputs and flags, change the radio
// volume or launch a rocket; the motion they cause happens in the next frame.
#pragma once

// The toolkit's codes, repeated here because the core links no toolkit;
// app/input_codes_check_gl.cpp holds them equal to the toolkit's own.
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
// How long the options panel shows after an option key, ms.
constexpr float OPTIONS_PANEL_MS = 1500.0f;

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
// Motion with a button held: the view does not turn, unless every button held
// is bound to an action held like thrust (a player who moved thrust to a
// mouse button still steers while holding it).
void onMouseDrag(int x, int y);
// Mouse-look: motion with no button held turns the view. While the game is
// paused no motion turns it: the pointer is only followed.
void onMouseMove(int x, int y);
