#include "app/input/input.h"

#include "app/files/options.h"
#include "app/input/controls.h"
#include "app/loop/exit_sequence.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/menu/menu_hands.h"
#include "sim/platform_hooks.h"

#include <cmath>


namespace {

constexpr float MOUSE_TURN = 0.025f;  // radians of yaw or pitch per 10 pixels
constexpr float MOUSE_PIXELS = 10.0f;

unsigned buttonBit(int button)
{
    return button >= 0 && button < 32 ? 1u << button : 0u;
}

bool dragSteers(const PlayerHands& hands)
{
    if (hands.heldMouseButtons == 0) {
        return false;
    }
    for (int button = 0; button < 32; ++button) {
        if ((hands.heldMouseButtons & buttonBit(button)) && !keyHoldsAction(mouseKey(button))) {
            return false;
        }
    }
    return true;
}

void warpPointer(PlayerHands& hands, int x, int y)
{
    PointerEchoes& echoes = hands.echoes;
    if (echoes.count == POINTER_ECHO_CAPACITY) {
        // Echoes that never came (the toolkit can drop them); forget the oldest.
        for (int k = 1; k < POINTER_ECHO_CAPACITY; ++k) {
            echoes.x[k - 1] = echoes.x[k];
            echoes.y[k - 1] = echoes.y[k];
        }
        --echoes.count;
    }
    echoes.x[echoes.count] = x;
    echoes.y[echoes.count] = y;
    ++echoes.count;
    if (platformHooks.warpPointer) {
        platformHooks.warpPointer(x, y);
    }
}

// When (x, y) is the target of an outstanding warp, the event is that warp's
// own: the pointer now sits there. Earlier outstanding warps whose events
// never came are dropped with it.
bool consumeEcho(PlayerHands& hands, int x, int y)
{
    PointerEchoes& echoes = hands.echoes;
    for (int k = 0; k < echoes.count; ++k) {
        if (echoes.x[k] == x && echoes.y[k] == y) {
            const int dropped = k + 1;
            for (int m = dropped; m < echoes.count; ++m) {
                echoes.x[m - dropped] = echoes.x[m];
                echoes.y[m - dropped] = echoes.y[m];
            }
            echoes.count -= dropped;
            hands.lastMouseX = x;
            hands.lastMouseY = y;
            hands.previousX = x;
            hands.previousY = y;
            return true;
        }
    }
    return false;
}

// The turn of one motion event: a fixed angle per axis and direction, scaled
// by the pixels moved and the player's feel, in single precision.
void steerByMouse(Game& game, int x, int y)
{
    PlayerHands& hands = game.hands;
    if (consumeEcho(hands, x, y)) {
        return;
    }
    if (hands.echoes.count > 0) {
        // Queued before the outstanding warp moved the pointer: its movement
        // counts from the event before it, not from the warp target.
        hands.lastMouseX = hands.previousX;
        hands.lastMouseY = hands.previousY;
    }
    hands.previousX = x;
    hands.previousY = y;

    float yaw = 0.0f;
    float pitch = 0.0f;
    if (x > hands.lastMouseX) {
        yaw = -MOUSE_TURN;
    } else if (x < hands.lastMouseX) {
        yaw = MOUSE_TURN;
    }
    if (y > hands.lastMouseY) {
        pitch = -MOUSE_TURN;
    } else if (y < hands.lastMouseY) {
        pitch = MOUSE_TURN;
    }
    const float dx = static_cast<float>(hands.lastMouseX - x);
    if (dx != 0.0f) {
        yaw = yaw * std::fabs(dx) / MOUSE_PIXELS;
    }
    const float dy = static_cast<float>(hands.lastMouseY - y);
    if (dy != 0.0f) {
        pitch = pitch * std::fabs(dy) / MOUSE_PIXELS;
    }
    // Multiplying by the start factor 1 leaves the angles bit for bit as they were.
    yaw = yaw * playerOptions.mouse.sensitivity;
    pitch = pitch * (playerOptions.mouse.invertY ? -playerOptions.mouse.sensitivity : playerOptions.mouse.sensitivity);
    hands.lastMouseX = x;
    hands.lastMouseY = y;

    if (x <= MOUSE_BAND_LOW || x >= MOUSE_BAND_HIGH) {
        hands.lastMouseX = MOUSE_BAND_CENTRE;
        warpPointer(hands, MOUSE_BAND_CENTRE, y);
    }
    if (y <= MOUSE_BAND_LOW || y >= MOUSE_BAND_HIGH) {
        hands.lastMouseY = MOUSE_BAND_CENTRE;
        warpPointer(hands, x, MOUSE_BAND_CENTRE);
    }
    game.input.look(yaw, pitch);
}

// Pointer motion that does not steer: the pointer is followed, so that the
// first steering motion measures from where the pointer really is.
void followPointer(PlayerHands& hands, int x, int y)
{
    if (consumeEcho(hands, x, y)) {
        return;
    }
    hands.lastMouseX = x;
    hands.lastMouseY = y;
    hands.previousX = x;
    hands.previousY = y;
}

}  // namespace

// Escape is no action of the table: in flight it always ends the game and
// cannot be rebound. While paused every key goes to the pause menu, Escape
// included (back, or from the top back to flight).
void onKeyDown(Game& game, unsigned char key)
{
    // While the best lap is watched, every key and button is the watch's.
    if (replayKeyDown(game, characterKey(key))) {
        return;
    }
    if (gamePaused(game)) {
        game.hands.escapeInMenu = game.hands.escapeInMenu || key == KEY_ESCAPE;
        menuKey(game, characterKey(key));
        return;
    }
    if (key == KEY_ESCAPE) {
        runExitSequence(game);
        return;
    }
    pressKey(game, characterKey(key));
}

void onKeyUp(Game& game, unsigned char key)
{
    if (replayKeyUp(game, characterKey(key))) {
        return;
    }
    if (key == KEY_ESCAPE) {
        // The release of an Escape the menu took is the menu's, even when
        // that Escape resumed the game.
        if (game.hands.escapeInMenu || gamePaused(game)) {
            game.hands.escapeInMenu = false;
            return;
        }
        runExitSequence(game);
        return;
    }
    releaseKey(game, characterKey(key));
}

void onSpecialKey(Game& game, int key)
{
    if (replayKeyDown(game, specialKey(key))) {
        return;
    }
    if (gamePaused(game)) {
        menuKey(game, specialKey(key));
        return;
    }
    pressKey(game, specialKey(key));
}

void onSpecialKeyUp(Game& game, int key)
{
    releaseKey(game, specialKey(key));
}

void onMouseButton(Game& game, int button, int state)
{
    if (state != MOUSE_BUTTON_DOWN) {
        game.hands.heldMouseButtons &= ~buttonBit(button);
        releaseKey(game, mouseKey(button));
        return;
    }
    if (replayKeyDown(game, mouseKey(button))) {
        return;
    }
    game.hands.heldMouseButtons |= buttonBit(button);
    if (gamePaused(game)) {
        menuClick(game, button);
        return;
    }
    const int held = platformHooks.modifiers ? platformHooks.modifiers() : 0;
    // Ctrl alone holds fire; any other combination, Ctrl with Shift included, launches.
    if (held != MODIFIER_CTRL) {
        pressKey(game, mouseKey(button));
    }
}

// While paused the pointer is only followed, so that motion then never turns
// the view, not even on the first motion after the pause.
void onMouseDrag(Game& game, int x, int y)
{
    if (dragSteers(game.hands) && !gamePaused(game)) {
        steerByMouse(game, x, y);
    } else {
        followPointer(game.hands, x, y);
    }
}

void onMouseMove(Game& game, int x, int y)
{
    if (gamePaused(game)) {
        followPointer(game.hands, x, y);
        menuHover(game, x, y);
    } else {
        steerByMouse(game, x, y);
    }
}

int pendingPointerEchoCount(const Game& game)
{
    return game.hands.echoes.count;
}
