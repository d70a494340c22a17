// Keys by the names a player writes in options.ini: a-z, 0-9, f1-f12, up,
// down, left, right, space, tab, return, backspace, plus, minus, kp_0-kp_9,
// mouse_left, mouse_middle, mouse_right; in any case. Game-controller inputs
// by theirs: a, b, x, y, back, start, left_shoulder, right_shoulder,
// left_trigger, right_trigger, dpad_up, dpad_down, dpad_left, dpad_right,
// left_stick, right_stick (the sticks pressed in).
#pragma once

#include "app/input/controls.h"

#include <string>

// Names are read in any case: "W" and "F1" as "w" and "f1".
std::string lowerCase(std::string text);

// The key of that name; unbound when the name names none. Escape has no name:
// it always ends the game.
InputKey keyNamed(const std::string& name);

// The name a key is written with; empty for a key that has none (such keys
// cannot be bound).
std::string keyName(InputKey key);

// The pad input of that name, or none; and the name of one (empty for none).
PadInput padInputNamed(const std::string& name);
std::string padInputName(PadInput input);
