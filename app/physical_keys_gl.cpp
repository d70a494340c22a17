#include "app/physical_keys.h"

#include "app/controls.h"
#include "app/input.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

// More held actions than there are (thrust, brake, two rolls), two keys each.
constexpr int HELD_KEYS_MAX = 8;

struct HeldKey {
    InputKey key;
    KeyCode code = 0;
};

struct HeldKeys {
    HeldKey keys[HELD_KEYS_MAX];
    int count = 0;
};
HeldKeys held;

// Printable Latin-1 characters are their own key symbols; Tab, Return,
// Backspace and the like are 0xFF00 plus their control character.
KeySym keySymOf(unsigned char character)
{
    return character < 0x20 ? 0xFF00 | character : character;
}

bool isDown(const char keymap[32], KeyCode code)
{
    return (keymap[code / 8] & (1 << (code % 8))) != 0;
}

// Releases every remembered key that is no longer down, except `reported`,
// which the core's handler has just released by its character.
void releaseKeysUp(InputKey reported)
{
    Display* display = glXGetCurrentDisplay();
    char keymap[32] = {};
    if (held.count == 0 || !display || !XQueryKeymap(display, keymap)) {
        return;
    }
    for (int k = 0; k < held.count;) {
        if (isDown(keymap, held.keys[k].code)) {
            ++k;
            continue;
        }
        const InputKey key = held.keys[k].key;
        held.keys[k] = held.keys[--held.count];
        if (!(key == reported)) {
            releaseKey(key);
        }
    }
}

void remember(unsigned char character)
{
    const InputKey key = characterKey(character);
    Display* display = glXGetCurrentDisplay();
    if (!display || !keyHoldsAction(key) || held.count == HELD_KEYS_MAX) {
        return;
    }
    const KeyCode code = XKeysymToKeycode(display, keySymOf(character));
    for (int k = 0; k < held.count; ++k) {
        if (held.keys[k].code == code) {
            return;
        }
    }
    if (code != 0) {
        held.keys[held.count++] = HeldKey{key, code};
    }
}

}  // namespace

// A key that came up unheard (while another window had the keyboard) ends
// its action before this press acts.
void onPhysicalKeyDown(unsigned char key, int x, int y)
{
    releaseKeysUp(InputKey{});
    onKeyDown(key, x, y);
    remember(key);
}

void onPhysicalKeyUp(unsigned char key, int x, int y)
{
    onKeyUp(key, x, y);
    releaseKeysUp(characterKey(key));
}
