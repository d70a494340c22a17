// Keys by the names a player writes in options.ini: a-z, 0-9, f1-f12, up,
// down, left, right, space, tab, return, backspace, plus, minus, kp_0-kp_9,
// mouse_left, mouse_middle, mouse_right; in any case.
#pragma once

#include "app/controls.h"

#include <string>

// Names are read in any case: "W" and "F1" as "w" and "f1".
std::string lowerCase(std::string text);

// The key of that name; unbound when the name names none. Escape has no name:
// it always ends the game.
InputKey keyNamed(const std::string& name);
