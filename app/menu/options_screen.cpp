#include "app/menu/options_screen.h"

#include "app/input/input.h"
#include "app/input/key_names.h"
#include "app/files/options.h"
#include "app/files/options_save.h"
#include "sound/sound.h"

#include <cmath>
#include <cstdio>

// Later settings (a colour palette) join their section here.
const ScreenSetting OPTIONS_SCREEN_SETTINGS[] = {
    {"Mouse and pad", "Mouse sensitivity", "mouse.sensitivity", 0.1f},
    {"Mouse and pad", "Mouse invert", "mouse.invert", 1.0f},
    {"Mouse and pad", "Pad deadzone", "pad.deadzone", 0.05f},
    {"Mouse and pad", "Pad look speed", "pad.look_speed", 0.1f},
    {"Mouse and pad", "Pad invert", "pad.invert", 1.0f},
    {"Display", "HUD scale", "hud.scale", 1.0f},
    {"Display", "Vsync", "display.vsync", 1.0f},
    {"Display", "Colour palette", "display.palette", 1.0f},
    {"Sound", "Effects volume", "sound.effects_volume", 5.0f},
};
const int OPTIONS_SCREEN_SETTING_COUNT = sizeof OPTIONS_SCREEN_SETTINGS / sizeof OPTIONS_SCREEN_SETTINGS[0];

namespace {

const char* const CONTROLS = "Controls";
const char* const SOUND = "Sound";

const OptionRow* optionRow(const char* name)
{
    for (int r = 0; r < OPTION_ROW_COUNT; ++r) {
        if (std::string(OPTION_ROWS[r].name) == name) {
            return &OPTION_ROWS[r];
        }
    }
    return nullptr;
}

std::string shownNumber(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string actionLabel(int action)
{
    std::string label = CONTROL_ACTIONS[action].name;
    for (char& c : label) {
        c = c == '_' ? ' ' : c;
    }
    return label;
}

std::string keysText(int action)
{
    std::string text;
    for (const InputKey& key : playerOptions.keys.keys[action]) {
        if (key.bound()) {
            text += (text.empty() ? "" : " / ") + keyName(key);
        }
    }
    return text;
}

std::string padText(int action)
{
    const std::string name = padInputName(playerOptions.keys.pads[action]);
    return name.empty() ? "-" : name;
}

std::string settingValue(const ScreenSetting& setting)
{
    const OptionRow* row = optionRow(setting.option);
    if (!row) {
        return "?";
    }
    if (row->flag) {
        return *row->flag ? "on" : "off";
    }
    if (row->words) {
        return row->words[static_cast<int>(*row->number)];
    }
    if (std::string(setting.option) == "hud.scale" && *row->number == 0.0f) {
        return "auto";
    }
    return shownNumber(*row->number);
}

// Moves the setting one step up (direction 1) or down, within its bounds and
// on its grid; a flag toggles.
void adjust(const ScreenSetting& setting, int direction)
{
    const OptionRow* row = optionRow(setting.option);
    if (!row) {
        return;
    }
    if (row->flag) {
        *row->flag = !*row->flag;
    } else {
        const float stepped = std::round((*row->number + direction * setting.step) / setting.step) * setting.step;
        *row->number = std::fmin(row->high, std::fmax(row->low, stepped));
    }
    soundApplyLevels();
}

void adjustRadio(int* radioVolume, int direction)
{
    if (!radioVolume) {
        return;
    }
    if (direction > 0 && *radioVolume < RADIO_VOLUME_RAISE_BELOW) {
        *radioVolume += RADIO_VOLUME_STEP;
    } else if (direction < 0 && *radioVolume > RADIO_VOLUME_LOWER_ABOVE) {
        *radioVolume -= RADIO_VOLUME_STEP;
    }
    soundSetVolume(CHANNEL_RADIO, *radioVolume);
}

}  // namespace

void OptionsScreen::open(int* radioVolume)
{
    *this = OptionsScreen{};
    radio = radioVolume;
    std::string section = CONTROLS;
    rows.push_back({RowKind::HEADING, 0, CONTROLS});
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        rows.push_back({RowKind::ACTION, a});
    }
    rows.push_back({RowKind::RESET, 0});
    for (int s = 0; s < OPTIONS_SCREEN_SETTING_COUNT; ++s) {
        if (section != OPTIONS_SCREEN_SETTINGS[s].section) {
            section = OPTIONS_SCREEN_SETTINGS[s].section;
            rows.push_back({RowKind::HEADING, 0, OPTIONS_SCREEN_SETTINGS[s].section});
        }
        rows.push_back({RowKind::SETTING, s});
    }
    // The radio's volume stands with the effects'.
    if (section != SOUND) {
        rows.push_back({RowKind::HEADING, 0, SOUND});
    }
    rows.push_back({RowKind::RADIO, 0});
    rows.push_back({RowKind::BACK, 0});
    selected = 1;
    before = currentOptionValues();
}

bool OptionsScreen::input(MenuInput in)
{
    note.clear();
    noteWarning = false;
    if (confirmingReset) {
        if (in == MenuInput::UP || in == MenuInput::DOWN) {
            confirmSelected = in == MenuInput::UP ? 0 : 1;
        } else if (in == MenuInput::TAKE && confirmSelected == 1) {
            playerOptions.keys = defaultKeyBindings();
            note = "Every key and pad button is back as the game starts";
            confirmingReset = false;
        } else if (in == MenuInput::TAKE || in == MenuInput::BACK) {
            confirmingReset = false;
        }
        return false;
    }
    const Row row = rows[static_cast<std::size_t>(selected)];
    switch (in) {
    case MenuInput::UP:
    case MenuInput::DOWN: {
        const int step = in == MenuInput::UP ? -1 : 1;
        for (int r = selected + step; r >= 0 && r < static_cast<int>(rows.size()); r += step) {
            if (rows[static_cast<std::size_t>(r)].kind != RowKind::HEADING) {
                selected = r;
                break;
            }
        }
        return false;
    }
    case MenuInput::LEFT:
    case MenuInput::RIGHT:
    case MenuInput::TAKE: {
        const int direction = in == MenuInput::LEFT ? -1 : 1;
        if (row.kind == RowKind::SETTING) {
            adjust(OPTIONS_SCREEN_SETTINGS[row.index], direction);
        } else if (row.kind == RowKind::RADIO) {
            adjustRadio(radio, direction);
        } else if (in == MenuInput::TAKE && row.kind == RowKind::ACTION) {
            capturing = row.index;
            note = "Press a key, mouse button or pad button for " + actionLabel(row.index) + " (Escape cancels)";
        } else if (in == MenuInput::TAKE && row.kind == RowKind::RESET) {
            confirmingReset = true;
            confirmSelected = 0;
        } else if (in == MenuInput::TAKE && row.kind == RowKind::BACK) {
            return true;
        }
        return false;
    }
    case MenuInput::BACK:
        return true;
    case MenuInput::RESUME:
    case MenuInput::NONE:
        break;
    }
    return false;
}

bool OptionsScreen::key(InputKey key)
{
    if (!capturingInput()) {
        return input(menuInputForKey(key));
    }
    const int action = capturing;
    capturing = -1;
    note.clear();
    noteWarning = false;
    if (key == characterKey(KEY_ESCAPE)) {
        return false;
    }
    const std::string name = keyName(key);
    if (name.empty()) {
        note = "That key cannot be bound";
        noteWarning = true;
        return false;
    }
    note = actionLabel(action) + ": " + name;
    for (int other = 0; other < CONTROL_ACTION_COUNT; ++other) {
        for (InputKey& held : playerOptions.keys.keys[other]) {
            if (other != action && held == key) {
                held = InputKey{};
                note = name + " moved from " + actionLabel(other) + " to " + actionLabel(action);
                if (keysText(other).empty()) {
                    note += "; " + actionLabel(other) + " has no key now";
                    noteWarning = true;
                }
            }
        }
    }
    playerOptions.keys.keys[action][0] = key;
    for (int k = 1; k < KEYS_PER_ACTION; ++k) {
        playerOptions.keys.keys[action][k] = InputKey{};
    }
    return false;
}

void OptionsScreen::padPressed(const std::vector<PadInput>& pressed)
{
    if (!capturingInput() || pressed.empty()) {
        return;
    }
    const int action = capturing;
    const PadInput input = pressed.front();
    capturing = -1;
    note.clear();
    noteWarning = false;
    const PadInput start = padButton(PAD_START);
    if (input == start) {
        return;  // cancels, as Escape does
    }
    if (CONTROL_ACTIONS[action].pad == start) {
        note = "Start always pauses";
        noteWarning = true;
        return;
    }
    const std::string name = padInputName(input);
    if (name.empty()) {
        note = "That button cannot be bound";
        noteWarning = true;
        return;
    }
    note = actionLabel(action) + ": pad " + name;
    const int other = playerOptions.keys.actionForPad(input);
    if (other >= 0 && other != action) {
        playerOptions.keys.pads[other] = PadInput{};
        note = "pad " + name + " moved from " + actionLabel(other) + " to " + actionLabel(action);
    }
    playerOptions.keys.pads[action] = input;
}

void OptionsScreen::hover(int shownRow)
{
    const int row = firstShown + shownRow;
    if (capturingInput() || confirmingReset || shownRow < 0 || row >= static_cast<int>(rows.size())) {
        return;
    }
    if (rows[static_cast<std::size_t>(row)].kind != RowKind::HEADING) {
        selected = row;
    }
}

std::string OptionsScreen::save() const
{
    return saveOptions(changedOptionValues(before, currentOptionValues()));
}

MenuView OptionsScreen::view(int visibleRows)
{
    MenuView view;
    view.note = note;
    view.noteWarning = noteWarning;
    if (confirmingReset) {
        view.title = "Reset to defaults?";
        view.lines = {MenuLine{"Cancel", "", "", true, confirmSelected == 0, false},
                      MenuLine{"Reset", "", "", true, confirmSelected == 1, false}};
        view.note = "Every key and pad button goes back as the game starts";
        return view;
    }
    view.title = "OPTIONS";
    // A heading just above the selection comes into view with it.
    const bool headingAbove = selected > 0 && rows[static_cast<std::size_t>(selected) - 1].kind == RowKind::HEADING;
    const int lineCount = static_cast<int>(rows.size());
    firstShown = firstShownLine(firstShown, headingAbove ? selected - 1 : selected, lineCount, visibleRows);
    firstShown = firstShownLine(firstShown, selected, lineCount, visibleRows);
    view.firstLine = firstShown;
    for (int r = firstShown; r < static_cast<int>(rows.size()) && r < firstShown + visibleRows; ++r) {
        const Row& row = rows[static_cast<std::size_t>(r)];
        MenuLine line;
        line.selected = r == selected;
        switch (row.kind) {
        case RowKind::HEADING:
            line.label = row.heading;
            line.selectable = false;
            break;
        case RowKind::ACTION: {
            line.label = actionLabel(row.index);
            const std::string keys = keysText(row.index);
            line.warning = keys.empty();
            line.value = capturing == row.index ? "..." : (keys.empty() ? "no key" : keys);
            line.extra = capturing == row.index ? "" : "pad " + padText(row.index);
            break;
        }
        case RowKind::RESET:
            line.label = "Reset to defaults";
            break;
        case RowKind::SETTING:
            line.label = OPTIONS_SCREEN_SETTINGS[row.index].label;
            line.value = settingValue(OPTIONS_SCREEN_SETTINGS[row.index]);
            break;
        case RowKind::RADIO:
            line.label = "Radio volume";
            line.value = radio ? std::to_string(*radio) : "";
            break;
        case RowKind::BACK:
            line.label = "Back";
            break;
        }
        view.lines.push_back(line);
    }
    return view;
}
