#include "app/files/options_save.h"

#include "app/input/controls.h"
#include "app/input/key_names.h"
#include "app/files/options.h"
#include "app/files/player_file.h"
#include "app/files/player_text.h"
#include "geometry/file_read.h"

#include <cstdio>

namespace {

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string keysValue(const InputKey (&keys)[KEYS_PER_ACTION])
{
    std::string value;
    for (const InputKey& key : keys) {
        const std::string name = keyName(key);
        if (!name.empty()) {
            value += (value.empty() ? "" : " ") + name;
        }
    }
    return value.empty() ? "none" : value;
}

std::string failed(const std::string& why)
{
    const std::string message = "Error writing file: " + std::string(OPTIONS_FILE) + " (" + why + ")";
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    return message;
}

}  // namespace

std::vector<OptionValue> currentOptionValues()
{
    std::vector<OptionValue> values;
    for (int r = 0; r < OPTION_ROW_COUNT; ++r) {
        const OptionRow& row = OPTION_ROWS[r];
        values.push_back({row.name, row.flag ? (*row.flag ? "1" : "0") : number(*row.number)});
    }
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        const std::string name = CONTROL_ACTIONS[a].name;
        values.push_back({"key." + name, keysValue(playerOptions.keys.keys[a])});
        // Start always pauses: its action has no pad line.
        if (!(CONTROL_ACTIONS[a].pad == padButton(PAD_START))) {
            const std::string pad = padInputName(playerOptions.keys.pads[a]);
            values.push_back({"pad." + name, pad.empty() ? "none" : pad});
        }
    }
    return values;
}

std::vector<OptionValue> changedOptionValues(const std::vector<OptionValue>& before,
                                             const std::vector<OptionValue>& after)
{
    std::vector<OptionValue> changed;
    for (const OptionValue& value : after) {
        bool same = false;
        for (const OptionValue& old : before) {
            same = same || old == value;
        }
        if (!same) {
            changed.push_back(value);
        }
    }
    return changed;
}

std::string saveOptions(const std::vector<OptionValue>& changes)
{
    if (changes.empty()) {
        return std::string();
    }
    std::string old;
    const FileReadStatus status = readWholeFile(OPTIONS_FILE, old, OPTIONS_MAX_BYTES);
    if (status != FileReadStatus::OK && status != FileReadStatus::MISSING) {
        return failed(fileReadReason(status));
    }
    // An empty file is fine to write; one with binary bytes is not the player's text.
    if (!old.empty() && !plainText(old) && old.find_first_not_of(" \t\r\f\v\n") != std::string::npos) {
        return failed("it is not plain text");
    }
    const std::string text = rewriteOptions(old, changes);
    if (status == FileReadStatus::OK && text == old) {
        return std::string();
    }
    if (!replaceFileAtomically(OPTIONS_FILE, text)) {
        return failed("the changes are not saved");
    }
    return std::string();
}
