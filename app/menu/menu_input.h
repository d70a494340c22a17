// What a player does in a menu, whatever hand does it: keys, the mouse and
// game controllers all come down to these few inputs. GL-free.
#pragma once

#include "app/input/pad_input.h"

#include <vector>

enum class MenuInput { NONE, UP, DOWN, LEFT, RIGHT, TAKE, BACK, RESUME };

// Up, Down, Left and Right move; Return or Space takes; Escape or Backspace
// goes back; the pause action's key resumes. Any other key is no input.
MenuInput menuInputForKey(InputKey key);

// Holding a direction repeats it: once at once, then after this long, then
// at this rate, as a keyboard's repeat does.
constexpr float MENU_REPEAT_DELAY_MS = 400.0f;
constexpr float MENU_REPEAT_EVERY_MS = 120.0f;
// The left stick counts as pushed once its deflection past the deadzone
// reaches this share of the rest of its travel along one axis.
constexpr double MENU_STICK_PUSH = 0.5;

// The pads as they drive a menu, read once a frame. A's press takes, B's goes
// back and Start's resumes; the D-pad or the left stick moves and repeats
// while held. What was already held when the reader started (the Start that
// opened the menu) does nothing until it is let go and pressed again.
struct MenuPadReader {
    PadState last;
    bool primed = false;
    MenuInput held = MenuInput::NONE;
    float nextRepeatMs = 0.0f;

    // Forgets the pads: the next read only notes what is held.
    void reset();
    // The menu inputs of this frame of the pads (already combined) at nowMs.
    // pressed, when given, gets every button that went down and every
    // trigger pulled past its press point and the deadzone: the inputs a
    // binding takes.
    std::vector<MenuInput> read(const PadState& pad, float deadzone, float nowMs,
                                std::vector<PadInput>* pressed = nullptr);
};
