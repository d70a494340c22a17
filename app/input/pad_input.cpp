#include "app/input/pad_input.h"

#include "app/loop/game.h"
#include "app/files/options.h"
#include "app/loop/pause.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr PadAxis TRIGGERS[] = {PAD_TRIGGER_LEFT, PAD_TRIGGER_RIGHT};

// What the pads hold in a frame: buttons, and triggers past their press point.
struct PadsHeld {
    bool buttons[PAD_BUTTON_COUNT] = {};
    bool axes[PAD_AXIS_COUNT] = {};
};

float travel(short value)
{
    return static_cast<float>(value) / PAD_AXIS_FULL;
}

double stickLength(const PadState& pad)
{
    return std::hypot(static_cast<double>(pad.axes[PAD_LEFT_X]), static_cast<double>(pad.axes[PAD_LEFT_Y]));
}

// Hands every change to or from `pressed` to the controls table.
void sendChanges(Game& game, const PadsHeld& now, bool pressed)
{
    PlayerHands& held = game.hands;
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        if (now.buttons[b] == pressed && held.padButtons[b] != pressed) {
            held.padButtons[b] = pressed;
            onPadInput(game, padButton(static_cast<PadButton>(b)), pressed);
        }
    }
    for (PadAxis axis : TRIGGERS) {
        if (now.axes[axis] == pressed && held.padAxes[axis] != pressed) {
            held.padAxes[axis] = pressed;
            onPadInput(game, padAxis(axis), pressed);
        }
    }
}

// The stick's turn for elapsedMs: the same sense as the mouse's (right turns
// right, toward the player turns the view up), and yaw and pitch turn the view
// by half the angle they are given.
void turnByStick(Game& game, const PadState& pad, float elapsedMs)
{
    const StickDeflection stick = stickDeflection(pad, playerOptions.pad.deadzone);
    if (stick.x == 0.0 && stick.y == 0.0) {
        return;
    }
    const float ms = elapsedMs < PAD_TURN_LONGEST_MS ? elapsedMs : PAD_TURN_LONGEST_MS;
    const double angle = 2.0 * PAD_TURN_RATE * static_cast<double>(playerOptions.pad.lookSpeed) * ms / 1000.0;
    game.input.look(static_cast<float>(-stick.x * angle),
                    static_cast<float>((playerOptions.pad.invertY ? stick.y : -stick.y) * angle));
}

}  // namespace

StickDeflection stickDeflection(const PadState& pad, float deadzone)
{
    const double length = stickLength(pad) / PAD_AXIS_FULL;
    if (length <= deadzone) {
        return StickDeflection{};
    }
    // Corners of a square gate reach past full travel.
    const double reach = (std::fmin(length, 1.0) - deadzone) / (1.0 - deadzone);
    return StickDeflection{travel(pad.axes[PAD_LEFT_X]) / length * reach,
                           travel(pad.axes[PAD_LEFT_Y]) / length * reach};
}

PadState combinePads(const PadState* pads, int count)
{
    PadState one;
    for (int p = 0; p < count; ++p) {
        const PadState& pad = pads[p];
        for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
            one.buttons[b] = one.buttons[b] || pad.buttons[b];
        }
        for (PadAxis axis : TRIGGERS) {
            if (pad.axes[axis] > one.axes[axis]) {
                one.axes[axis] = pad.axes[axis];
            }
        }
        if (stickLength(pad) > stickLength(one)) {
            one.axes[PAD_LEFT_X] = pad.axes[PAD_LEFT_X];
            one.axes[PAD_LEFT_Y] = pad.axes[PAD_LEFT_Y];
        }
    }
    return one;
}

namespace {
// What the pads hold now, each trigger measured against the point that
// counts for it from what it held before.
PadsHeld heldNow(const Game& game, const PadState& pad)
{
    PadsHeld now;
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        now.buttons[b] = pad.buttons[b];
    }
    for (PadAxis axis : TRIGGERS) {
        const bool wasHeld = game.hands.padAxes[axis];
        now.axes[axis] = travel(pad.axes[axis]) >= (wasHeld ? PAD_TRIGGER_RELEASE : PAD_TRIGGER_PRESS);
    }
    return now;
}
}  // namespace

void applyPads(Game& game, const PadState* pads, int count, float elapsedMs)
{
    const PadState pad = combinePads(pads, count);
    if (replayPads(game, pad)) {
        return;
    }
    const PadsHeld now = heldNow(game, pad);
    sendChanges(game, now, false);
    sendChanges(game, now, true);
    // Paused, the buttons are read for the pause action alone; the world stays still.
    if (!gamePaused(game)) {
        turnByStick(game, pad, elapsedMs);
    }
}

void resetPadInput(Game& game)
{
    std::fill(std::begin(game.hands.padButtons), std::end(game.hands.padButtons), false);
    std::fill(std::begin(game.hands.padAxes), std::end(game.hands.padAxes), false);
}

void adoptHeldPads(Game& game, const PadState* pads, int count)
{
    const PadsHeld now = heldNow(game, combinePads(pads, count));
    std::copy(std::begin(now.buttons), std::end(now.buttons), std::begin(game.hands.padButtons));
    std::copy(std::begin(now.axes), std::end(now.axes), std::begin(game.hands.padAxes));
}
