#include "app/pad_input.h"

#include "app/options.h"
#include "app/pause.h"
#include "sim/camera.h"

#include <cmath>

namespace {

constexpr PadAxis TRIGGERS[] = {PAD_TRIGGER_LEFT, PAD_TRIGGER_RIGHT};

// What the pads held at the previous frame.
struct PadsHeld {
    bool buttons[PAD_BUTTON_COUNT] = {};
    bool axes[PAD_AXIS_COUNT] = {};
};
PadsHeld held;

float travel(short value)
{
    return static_cast<float>(value) / PAD_AXIS_FULL;
}

double stickLength(const PadState& pad)
{
    return std::hypot(static_cast<double>(pad.axes[PAD_LEFT_X]), static_cast<double>(pad.axes[PAD_LEFT_Y]));
}

// Hands every change to or from `pressed` to the controls table.
void sendChanges(const PadsHeld& now, bool pressed)
{
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        if (now.buttons[b] == pressed && held.buttons[b] != pressed) {
            held.buttons[b] = pressed;
            onPadInput(padButton(static_cast<PadButton>(b)), pressed);
        }
    }
    for (PadAxis axis : TRIGGERS) {
        if (now.axes[axis] == pressed && held.axes[axis] != pressed) {
            held.axes[axis] = pressed;
            onPadInput(padAxis(axis), pressed);
        }
    }
}

// The stick's turn for elapsedMs: the same sense as the mouse's (right turns
// right, toward the player turns the view up), and yaw and pitch turn the view
// by half the angle they are given.
void turnByStick(const PadState& pad, float elapsedMs)
{
    const StickDeflection stick = stickDeflection(pad, padOptions.deadzone);
    if (stick.x == 0.0 && stick.y == 0.0) {
        return;
    }
    const float ms = elapsedMs < PAD_TURN_LONGEST_MS ? elapsedMs : PAD_TURN_LONGEST_MS;
    const double angle = 2.0 * PAD_TURN_RATE * static_cast<double>(padOptions.lookSpeed) * ms / 1000.0;
    camera.yawAngle = static_cast<float>(-stick.x * angle);
    camera.pitchAngle = static_cast<float>((padOptions.invertY ? stick.y : -stick.y) * angle);
    camera.yaw();
    camera.pitch();
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
PadsHeld heldNow(const PadState& pad)
{
    PadsHeld now;
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        now.buttons[b] = pad.buttons[b];
    }
    for (PadAxis axis : TRIGGERS) {
        now.axes[axis] = travel(pad.axes[axis]) >= (held.axes[axis] ? PAD_TRIGGER_RELEASE : PAD_TRIGGER_PRESS);
    }
    return now;
}
}  // namespace

void applyPads(const PadState* pads, int count, float elapsedMs)
{
    const PadState pad = combinePads(pads, count);
    const PadsHeld now = heldNow(pad);
    sendChanges(now, false);
    sendChanges(now, true);
    // Paused, the buttons are read for the pause action alone; the world stays still.
    if (!gamePaused()) {
        turnByStick(pad, elapsedMs);
    }
}

void resetPadInput()
{
    held = PadsHeld{};
}

void adoptHeldPads(const PadState* pads, int count)
{
    held = heldNow(combinePads(pads, count));
}
