#include "app/key_names.h"

#include "app/input.h"


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
