// The options screen of the pause menu, GL-free: every control action with
// its keys and pad input, rebound by pressing the new one; the mouse's and
// the pads' feel; the display; the sound. Values take effect as they change
// (the option values of app/files/options.h, the sound levels, the radio volume);
// leaving the screen saves what changed into options.ini.
#pragma once

#include "app/input/controls.h"
#include "app/menu/menu_input.h"
#include "app/menu/menu_view.h"
#include "app/files/options_text.h"

#include <string>
#include <vector>

struct OptionsScreen {
    // One line of the list. Headings cannot be selected.
    enum class RowKind { HEADING, ACTION, RESET, SETTING, RADIO, BACK };
    struct Row {
        RowKind kind;
        int index;                      // the action, or the setting of OPTIONS_SCREEN_SETTINGS
        const char* heading = nullptr;  // a heading's text
    };

    std::vector<Row> rows;
    int selected = 0;
    int firstShown = 0;
    int capturing = -1;        // the action waiting for its new input, or -1
    bool confirmingReset = false;
    int confirmSelected = 0;   // 0 "Cancel", 1 "Reset"
    std::string note;          // what the last binding did, until the next input
    bool noteWarning = false;
    std::vector<OptionValue> before;  // the values when the screen opened
    int* radio = nullptr;             // the game's radio volume, when it has one

    // Opens on the first action with every value as it is now; radioVolume,
    // the game's, is adjusted in place.
    void open(int* radioVolume = nullptr);
    // A menu input; true when the player leaves the screen (then save()).
    bool input(MenuInput in);
    // A key or mouse button went down: while capturing it is the new key
    // (Escape cancels); otherwise keys navigate.
    bool key(InputKey key);
    // Pad buttons or triggers that went down: while capturing, the first is
    // the new pad input (Start cancels: it always pauses).
    void padPressed(const std::vector<PadInput>& pressed);
    // The pointer over row r of those shown (MenuLayout::rowAt): selects it.
    void hover(int shownRow);
    bool capturingInput() const { return capturing >= 0; }

    // Writes what changed since open() into options.ini; an empty string or
    // the message of a failed save.
    std::string save() const;

    MenuView view(int visibleRows);
};

// The settings the screen adjusts, each an option of OPTION_ROWS by name.
struct ScreenSetting {
    const char* section;  // the heading it stands under
    const char* label;
    const char* option;   // its name in options.ini
    float step;           // Left and Right move it by this much; flags toggle
};
extern const ScreenSetting OPTIONS_SCREEN_SETTINGS[];
extern const int OPTIONS_SCREEN_SETTING_COUNT;
