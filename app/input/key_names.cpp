#include "app/input/key_names.h"

#include "app/input/input.h"

namespace {

struct NamedKey {
    const char* name;
    InputKey key;
};

// The toolkit reports Return, Tab and Backspace as their control characters.
const NamedKey NAMED_KEYS[] = {
    {"up", specialKey(KEY_UP)},
    {"down", specialKey(KEY_DOWN)},
    {"left", specialKey(KEY_LEFT)},
    {"right", specialKey(KEY_RIGHT)},
    {"space", characterKey(' ')},
    {"tab", characterKey('\t')},
    {"return", characterKey('\r')},
    {"backspace", characterKey('\b')},
    {"plus", characterKey('+')},
    {"minus", characterKey('-')},
    {"mouse_left", mouseKey(MOUSE_LEFT_BUTTON)},
    {"mouse_middle", mouseKey(MOUSE_MIDDLE_BUTTON)},
    {"mouse_right", mouseKey(MOUSE_RIGHT_BUTTON)},
};

struct NamedPadInput {
    const char* name;
    PadInput input;
};

const NamedPadInput NAMED_PAD_INPUTS[] = {
    {"a", padButton(PAD_A)},
    {"b", padButton(PAD_B)},
    {"x", padButton(PAD_X)},
    {"y", padButton(PAD_Y)},
    {"back", padButton(PAD_BACK)},
    {"start", padButton(PAD_START)},
    {"left_shoulder", padButton(PAD_LEFT_SHOULDER)},
    {"right_shoulder", padButton(PAD_RIGHT_SHOULDER)},
    {"left_trigger", padAxis(PAD_TRIGGER_LEFT)},
    {"right_trigger", padAxis(PAD_TRIGGER_RIGHT)},
    {"dpad_up", padButton(PAD_DPAD_UP)},
    {"dpad_down", padButton(PAD_DPAD_DOWN)},
    {"dpad_left", padButton(PAD_DPAD_LEFT)},
    {"dpad_right", padButton(PAD_DPAD_RIGHT)},
    {"left_stick", padButton(PAD_LEFT_STICK)},
    {"right_stick", padButton(PAD_RIGHT_STICK)},
};

}  // namespace

std::string lowerCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

InputKey keyNamed(const std::string& name)
{
    const std::string lower = lowerCase(name);
    if (lower.size() == 1 && ((lower[0] >= 'a' && lower[0] <= 'z') || (lower[0] >= '0' && lower[0] <= '9'))) {
        return characterKey(static_cast<unsigned char>(lower[0]));
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        // With Num Lock on the toolkit reports the keypad's digits as the same
        // characters as the digit row: kp_5 and 5 are one key to the game.
        if (lower == std::string("kp_") + digit) {
            return characterKey(static_cast<unsigned char>(digit));
        }
    }
    for (int f = KEY_F1; f <= KEY_F12; ++f) {
        if (lower == "f" + std::to_string(f - KEY_F1 + 1)) {
            return specialKey(f);
        }
    }
    for (const NamedKey& named : NAMED_KEYS) {
        if (lower == named.name) {
            return named.key;
        }
    }
    return InputKey{};
}

std::string keyName(InputKey key)
{
    if (key.source == KeySource::CHARACTER &&
        ((key.code >= 'a' && key.code <= 'z') || (key.code >= '0' && key.code <= '9'))) {
        return std::string(1, static_cast<char>(key.code));
    }
    if (key.source == KeySource::SPECIAL && key.code >= KEY_F1 && key.code <= KEY_F12) {
        return "f" + std::to_string(key.code - KEY_F1 + 1);
    }
    for (const NamedKey& named : NAMED_KEYS) {
        if (key.bound() && named.key == key) {
            return named.name;
        }
    }
    return std::string();
}

PadInput padInputNamed(const std::string& name)
{
    const std::string lower = lowerCase(name);
    for (const NamedPadInput& named : NAMED_PAD_INPUTS) {
        if (lower == named.name) {
            return named.input;
        }
    }
    return PadInput{};
}

std::string padInputName(PadInput input)
{
    for (const NamedPadInput& named : NAMED_PAD_INPUTS) {
        if (input.source != PadSource::NONE && named.input == input) {
            return named.name;
        }
    }
    return std::string();
}
