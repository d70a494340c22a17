#include "app/files/options.h"

#include "app/input/controls.h"
#include "app/input/input.h"
#include "app/input/key_names.h"
#include "app/files/options_text.h"
#include "app/files/player_text.h"
#include "geometry/text_reader.h"
#include "render/palette.h"
#include "sound/sound.h"

#include <cmath>
#include <cstdio>

const char* const OPTIONS_FILE = "options.ini";

PlayerOptions playerOptions;

const OptionRow OPTION_ROWS[] = {
    {"mouse.sensitivity", &playerOptions.mouse.sensitivity, nullptr, 0.1f, 10.0f, MOUSE_SENSITIVITY_START},
    {"mouse.invert", nullptr, &playerOptions.mouse.invertY, 0.0f, 1.0f, 0.0f},
    {"pad.deadzone", &playerOptions.pad.deadzone, nullptr, 0.0f, 0.9f, PAD_DEADZONE_START},
    {"pad.look_speed", &playerOptions.pad.lookSpeed, nullptr, 0.1f, 10.0f, PAD_LOOK_SPEED_START},
    {"pad.invert", nullptr, &playerOptions.pad.invertY, 0.0f, 1.0f, 0.0f},
    {"hud.scale", &playerOptions.display.hudScale, nullptr, 0.0f, 4.0f, 0.0f, true},
    {"display.vsync", nullptr, &playerOptions.display.vsync, 0.0f, 1.0f, 0.0f},
    {"display.palette", &playerOptions.display.palette, nullptr, 0.0f, PALETTE_COUNT - 1, PALETTE_DESIGNED, true, PALETTE_NAMES},
    {"sound.effects_volume", &soundLevels.effectsVolume, nullptr, 0.0f, 100.0f, EFFECTS_VOLUME_START, true},
};
const int OPTION_ROW_COUNT = sizeof OPTION_ROWS / sizeof OPTION_ROWS[0];

namespace {

const std::string KEY_PREFIX = "key.";
const std::string PAD_PREFIX = "pad.";
// The value that leaves an action without a key or pad input.
const char* const NO_INPUT = "none";

// The key. and pad. lines read so far: each action's keys and pad input and
// the lines that gave them (0: none).
struct KeyLines {
    InputKey keys[ACTION_CAPACITY][KEYS_PER_ACTION] = {};
    int line[ACTION_CAPACITY] = {};
    PadInput pads[ACTION_CAPACITY] = {};
    int padLine[ACTION_CAPACITY] = {};
};

// The player's text as a message may show it: printable ASCII, cut short.
std::string shown(const std::string& text)
{
    constexpr std::size_t SHOWN_MAX = 40;
    std::string out = "\"";
    for (std::size_t k = 0; k < text.size() && k < SHOWN_MAX; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return out + (text.size() > SHOWN_MAX ? "...\"" : "\"");
}

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// The whole value as one finite number.
bool readNumber(const std::string& value, float& out)
{
    TextReader reader(value);
    float read = 0.0f;
    if (!reader.readFloat(read)) {
        return false;
    }
    reader.skipSpace();
    if (reader.remaining() != 0 || !std::isfinite(read)) {
        return false;
    }
    out = read;
    return true;
}

// Sets a word option's value; an empty result, or why the word cannot be used.
std::string applyWord(const OptionRow& row, const std::string& value)
{
    std::string names;
    for (int k = 0; row.words[k]; ++k) {
        if (lowerCase(value) == row.words[k]) {
            *row.number = row.low + static_cast<float>(k);
            return std::string();
        }
        names += std::string(k == 0 ? "" : row.words[k + 1] ? ", " : " or ") + row.words[k];
    }
    return std::string(row.name) + " must be " + names;
}

// Sets the option's value; an empty result, or why the value cannot be used.
std::string applyOption(const OptionRow& row, const std::string& value)
{
    if (row.words) {
        return applyWord(row, value);
    }
    float read = 0.0f;
    if (!readNumber(value, read)) {
        return shown(value) + " is not a number";
    }
    if (row.flag) {
        if (read != 0.0f && read != 1.0f) {
            return std::string(row.name) + " must be 0 or 1";
        }
        *row.flag = read == 1.0f;
        return std::string();
    }
    if (read < row.low || read > row.high || (row.whole && read != std::floor(read))) {
        return std::string(row.name) + " must be " + (row.whole ? "a whole number " : "") + "from " +
               number(row.low) + " to " + number(row.high);
    }
    *row.number = read;
    return std::string();
}

// Gives the action the keys of the value; an empty result, or why not.
std::string applyKeyLine(KeyLines& lines, int action, const std::string& value, int lineNumber)
{
    if (lowerCase(value) == NO_INPUT) {
        for (InputKey& key : lines.keys[action]) {
            key = InputKey{};
        }
        lines.line[action] = lineNumber;
        return std::string();
    }
    TextReader reader(value);
    std::string words[KEYS_PER_ACTION];
    InputKey keys[KEYS_PER_ACTION] = {};
    int count = 0;
    std::string word;
    while (reader.readWord(word, OPTIONS_MAX_BYTES)) {
        if (count == KEYS_PER_ACTION) {
            return "at most " + std::to_string(KEYS_PER_ACTION) + " keys for one action";
        }
        if (lowerCase(word) == "escape") {
            return "escape always ends the game and cannot be bound";
        }
        keys[count] = keyNamed(word);
        if (!keys[count].bound()) {
            return "no key is named " + shown(word);
        }
        words[count++] = word;
    }
    if (count == 0) {
        return "no key given";
    }
    for (int other = 0; other < CONTROL_ACTION_COUNT; ++other) {
        if (other == action || lines.line[other] == 0) {
            continue;
        }
        for (int k = 0; k < count; ++k) {
            for (const InputKey& taken : lines.keys[other]) {
                if (taken == keys[k]) {
                    return shown(words[k]) + " is already bound to " + CONTROL_ACTIONS[other].name + " by line " +
                           std::to_string(lines.line[other]);
                }
            }
        }
    }
    for (int k = 0; k < KEYS_PER_ACTION; ++k) {
        lines.keys[action][k] = keys[k];
    }
    lines.line[action] = lineNumber;
    return std::string();
}

// Gives the action the pad input of the value; an empty result, or why not.
std::string applyPadLine(KeyLines& lines, int action, const std::string& value, int lineNumber)
{
    const PadInput start = padButton(PAD_START);
    if (CONTROL_ACTIONS[action].pad == start) {
        return std::string(CONTROL_ACTIONS[action].name) + " stays on start";
    }
    PadInput input;
    if (lowerCase(value) != NO_INPUT) {
        input = padInputNamed(value);
        if (input.source == PadSource::NONE) {
            return "no pad button is named " + shown(value);
        }
        if (input == start) {
            return "start always pauses and cannot be bound";
        }
        for (int other = 0; other < CONTROL_ACTION_COUNT; ++other) {
            if (other != action && lines.padLine[other] != 0 && lines.pads[other] == input) {
                return shown(value) + " is already bound to " + CONTROL_ACTIONS[other].name + " by line " +
                       std::to_string(lines.padLine[other]);
            }
        }
    }
    lines.pads[action] = input;
    lines.padLine[action] = lineNumber;
    return std::string();
}

// The defaults, with the key. lines in place of an action's defaults, and
// the keys those lines name taken from any action that has them by default.
KeyBindings bindingsFrom(const KeyLines& lines)
{
    KeyBindings bindings = defaultKeyBindings();
    for (int action = 0; action < CONTROL_ACTION_COUNT; ++action) {
        if (lines.line[action] == 0) {
            continue;
        }
        for (int k = 0; k < KEYS_PER_ACTION; ++k) {
            const InputKey key = lines.keys[action][k];
            bindings.keys[action][k] = key;
            for (int other = 0; key.bound() && other < CONTROL_ACTION_COUNT; ++other) {
                for (InputKey& held : bindings.keys[other]) {
                    if (other != action && lines.line[other] == 0 && held == key) {
                        held = InputKey{};
                    }
                }
            }
        }
    }
    for (int action = 0; action < CONTROL_ACTION_COUNT; ++action) {
        if (lines.padLine[action] == 0) {
            continue;
        }
        const PadInput input = lines.pads[action];
        bindings.pads[action] = input;
        for (int other = 0; input.source != PadSource::NONE && other < CONTROL_ACTION_COUNT; ++other) {
            if (other != action && lines.padLine[other] == 0 && bindings.pads[other] == input) {
                bindings.pads[other] = PadInput{};
            }
        }
    }
    return bindings;
}

// One line of name = value; an empty result, or why it cannot be used.
std::string applyLine(KeyLines& lines, const std::string& name, const std::string& value, int lineNumber)
{
    if (name.compare(0, KEY_PREFIX.size(), KEY_PREFIX) == 0) {
        const int action = controlActionNamed(name.substr(KEY_PREFIX.size()));
        if (action >= 0) {
            return applyKeyLine(lines, action, value, lineNumber);
        }
    }
    if (name.compare(0, PAD_PREFIX.size(), PAD_PREFIX) == 0) {
        const int action = controlActionNamed(name.substr(PAD_PREFIX.size()));
        if (action >= 0) {
            return applyPadLine(lines, action, value, lineNumber);
        }
    }
    for (int r = 0; r < OPTION_ROW_COUNT; ++r) {
        if (name == OPTION_ROWS[r].name) {
            return applyOption(OPTION_ROWS[r], value);
        }
    }
    return "unknown name " + shown(name);
}

}  // namespace

void resetOptions()
{
    playerOptions.keys = defaultKeyBindings();
    for (const OptionRow& row : OPTION_ROWS) {
        if (row.flag) {
            *row.flag = row.start != 0.0f;
        } else {
            *row.number = row.start;
        }
    }
}

std::vector<std::string> applyOptions(const std::string& text)
{
    resetOptions();
    std::vector<std::string> problems;
    KeyLines lines;
    for (const OptionLine& line : optionLines(text)) {
        const std::string problem = line.name.empty() ? std::string("not a line of name = value")
                                                      : applyLine(lines, line.name, line.value, line.number);
        if (!problem.empty()) {
            problems.push_back("Error in " + std::string(OPTIONS_FILE) + " line " + std::to_string(line.number) +
                               ": " + problem);
        }
    }
    playerOptions.keys = bindingsFrom(lines);
    // A key named for one action is taken from the action that has it by
    // default; a player who did not mean to leave that one without a key
    // hears of it.
    for (int action = 0; action < CONTROL_ACTION_COUNT; ++action) {
        bool hasKey = false;
        for (const InputKey& key : playerOptions.keys.keys[action]) {
            hasKey = hasKey || key.bound();
        }
        if (!hasKey) {
            problems.push_back(std::string(OPTIONS_FILE) + ": " + CONTROL_ACTIONS[action].name + " has no key now");
        }
    }
    soundApplyLevels();
    return problems;
}

void readOptions()
{
    resetOptions();
    std::string text;
    if (!readPlayerText(OPTIONS_FILE, OPTIONS_MAX_BYTES, text)) {
        return;
    }
    for (const std::string& problem : applyOptions(text)) {
        std::printf("%s\n", problem.c_str());
    }
    std::fflush(stdout);
}
