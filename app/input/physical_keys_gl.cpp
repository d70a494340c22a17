#include "app/input/physical_keys.h"

#include "app/input/controls.h"
#include "app/loop/game.h"
#include "app/input/input.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {


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
void releaseKeysUp(Game& game, InputKey reported)
{
    HeldKeys& held = game.hands.heldKeys;
    Display* display = glXGetCurrentDisplay();
    char keymap[32] = {};
    if (held.count == 0 || !display || !XQueryKeymap(display, keymap)) {
        return;
    }
    for (int k = 0; k < held.count;) {
        if (isDown(keymap, static_cast<KeyCode>(held.keys[k].code))) {
            ++k;
            continue;
        }
        const InputKey key = held.keys[k].key;
        held.keys[k] = held.keys[--held.count];
        if (!(key == reported)) {
            releaseKey(game, key);
        }
    }
}

void remember(Game& game, unsigned char character)
{
    HeldKeys& held = game.hands.heldKeys;
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
void onPhysicalKeyDown(Game& game, unsigned char key)
{
    releaseKeysUp(game, InputKey{});
    onKeyDown(game, key);
    remember(game, key);
}

void onPhysicalKeyUp(Game& game, unsigned char key)
{
    onKeyUp(game, key);
    releaseKeysUp(game, characterKey(key));
}
