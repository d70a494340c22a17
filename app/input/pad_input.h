// What the game makes of its game controllers, once a frame: the pad reader
// (app/input/pads_sdl.h) reads every pad into a PadState and hands them here. The
// pads act as one; their buttons and triggers reach the controls table as
// presses and releases, and the left stick turns the view.
#pragma once

#include "app/input/controls.h"

// Full travel in SDL's game-controller units: sticks run from -32768 to
// 32767, triggers from 0 (at rest) to 32767.
constexpr float PAD_AXIS_FULL = 32767.0f;

// A trigger is pressed once pulled past PRESS of its travel and released only
// when let back under RELEASE: a light pull acts, and a trigger held near its
// press point does not flicker between thrust and none.
constexpr float PAD_TRIGGER_PRESS = 0.3f;
constexpr float PAD_TRIGGER_RELEASE = 0.15f;

// The view's turn at full deflection of the stick, radians per second, at
// pad.look_speed 1. Half a turn a second is what a quick flick of the mouse
// gives (about 2500 pixels in a second at 0.00125 radians a pixel): the
// player turns round to a gate behind in a second, and fine aim is left to
// the stick's first part.
constexpr double PAD_TURN_RATE = 3.141592653589793;
// A longer frame turns no further: a stall the player never saw does not
// whip the view round.
constexpr float PAD_TURN_LONGEST_MS = 250.0f;

// One pad as read in a frame, in SDL's units.
struct PadState {
    short axes[PAD_AXIS_COUNT] = {};
    bool buttons[PAD_BUTTON_COUNT] = {};
};

// The left stick's deflection after the deadzone, each axis from -1 to 1
// (x right, y toward the player): zero inside the deadzone, a circle of the
// given share of the travel, then growing from 0 at its edge to 1 at full
// travel, so the turn starts without a jump.
struct StickDeflection {
    double x = 0.0;
    double y = 0.0;
};
StickDeflection stickDeflection(const PadState& pad, float deadzone);

// The pads as one: a button held on any pad is held, each trigger is pulled
// as far as the furthest, and the left stick is the one pushed furthest.
PadState combinePads(const PadState* pads, int count);

// One frame of the pads, elapsedMs after the previous one: every button or
// trigger that changed since then goes to onPadInput (releases first, so a
// thumb moved from one trigger to the other in one frame ends on the new
// one), then the stick's turn of the view joins the next frame's input as a
// look command, unless the game is paused. With no pad, or every pad at rest,
// nothing changes.
void applyPads(Game& game, const PadState* pads, int count, float elapsedMs);

// Forgets what the pads held, without acting on it.
void resetPadInput(Game& game);

// Takes what the pads hold now as already handled, acting on none of it: on
// the way back from a menu, the button that took "Resume" (or anything else
// still held) does not act on the game when the next frame reads the pads.
void adoptHeldPads(Game& game, const PadState* pads, int count);
