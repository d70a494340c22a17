// "options.ini": the player's own keys, mouse feel, pad and display settings. Optional,
// in the game's folder beside "vorel.ini"; read once at start, and written
// only when the player leaves the options screen after a change
// (app/files/options_save.h).
//
// Lines of `name = value`; `#` starts a comment, names and key names are read
// in any case. `key.ACTION = KEY [KEY]` gives an action of the controls table
// one or two keys in place of its defaults (key names in app/input/key_names.h). A
// key named by a key. line is taken from the action that has it by default,
// so `key.fire = w` fires with w and thrust is left without a key unless a
// line gives it one; two key. lines cannot name the same key (the later one
// is refused); `none` leaves the action without a key. `pad.ACTION = BUTTON`
// gives it one game-controller input in place of its default, taken from the
// action that has it by default in the same way (button names in
// app/input/key_names.h); Start always pauses. The other names are the rows of OPTION_ROWS. When a name comes
// twice, the later line counts.
//
// A line that cannot be used gets one line on standard output naming the
// file, its line number and why, and is skipped; every other line applies.
// Then each action left without a key is named in one line.
#pragma once

#include "app/input/controls.h"
#include "app/input/input.h"

#include <cstddef>
#include <string>
#include <vector>

extern const char* const OPTIONS_FILE;
// A few hundred lines with comments fit many times over; anything larger is
// not an options file, and its lines are not worth a message each.
constexpr std::size_t OPTIONS_MAX_BYTES = 64 * 1024;

// Pad settings for the pad reader.
constexpr float PAD_DEADZONE_START = 0.15f;  // of the stick's travel, 0 to 0.9
constexpr float PAD_LOOK_SPEED_START = 1.0f; // factor on the stick's turn rate
struct PadOptions {
    float deadzone = PAD_DEADZONE_START;
    float lookSpeed = PAD_LOOK_SPEED_START;
    bool invertY = false;
};

// Display settings for the platform side.
struct DisplayOptions {
    float hudScale = 0.0f;  // the overlay's text factor, 1 to 4; 0 lets the window choose
    // Wait for the vertical retrace (swap interval 1) instead of running
    // frames as fast as the machine allows.
    bool vsync = false;
    float palette = 0.0f;  // the course's colours: 0 designed, 1 safe (render/palette.h)
};

// Everything options.ini sets, as read at start and changed on the options
// screen: the controls' keys and pad buttons, the mouse's and the pads'
// feel, the display. One for the process: the input callbacks, the pad
// reader and the options screen all read it between frames.
struct PlayerOptions {
    KeyBindings keys = defaultKeyBindings();
    MouseFeel mouse;
    PadOptions pad;
    DisplayOptions display;
};
extern PlayerOptions playerOptions;

// One option of the file besides the key. lines. A number option takes values
// from low to high, both included (whole numbers only when whole is set); a
// flag option takes 0 or 1. A word option is a whole-number option whose
// values low, low + 1, ... are named by its words.
struct OptionRow {
    const char* name;
    float* number;  // the value it sets, for a number option
    bool* flag;     // the value it sets, for a flag option
    float low;
    float high;
    float start;    // its value when no line names it (a flag's as 0 or 1)
    bool whole = false;
    const char* const* words = nullptr;  // a word option's names, ended by null
};
extern const OptionRow OPTION_ROWS[];
extern const int OPTION_ROW_COUNT;

// Every option and key back to its start value.
void resetOptions();

// resetOptions, then the lines of text. Returns one message for each line
// that could not be used, in line order, then one for each action left
// without a key ("options.ini: pause has no key now").
std::vector<std::string> applyOptions(const std::string& text);

// Reads OPTIONS_FILE and applies it, printing its messages. A missing file
// prints nothing; one that cannot be read, or is empty, binary or larger than
// an options file can be, gets one line and leaves every option at its start.
void readOptions();
