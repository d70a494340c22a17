#include "app/menu/menu_input.h"

#include "app/input/input.h"
#include "app/files/options.h"
#include "app/loop/pause.h"

#include <cmath>

MenuInput menuInputForKey(InputKey key)
{
    if (key == specialKey(KEY_UP)) {
        return MenuInput::UP;
    }
    if (key == specialKey(KEY_DOWN)) {
        return MenuInput::DOWN;
    }
    if (key == specialKey(KEY_LEFT)) {
        return MenuInput::LEFT;
    }
    if (key == specialKey(KEY_RIGHT)) {
        return MenuInput::RIGHT;
    }
    if (key == characterKey('\r') || key == characterKey(' ')) {
        return MenuInput::TAKE;
    }
    if (key == characterKey(KEY_ESCAPE) || key == characterKey('\b')) {
        return MenuInput::BACK;
    }
    const int action = playerOptions.keys.actionFor(key);
    if (action >= 0 && CONTROL_ACTIONS[action].press == togglePause) {
        return MenuInput::RESUME;
    }
    return MenuInput::NONE;
}

namespace {

// The one direction the D-pad or the stick points, or none.
MenuInput direction(const PadState& pad, float deadzone)
{
    if (pad.buttons[PAD_DPAD_UP]) {
        return MenuInput::UP;
    }
    if (pad.buttons[PAD_DPAD_DOWN]) {
        return MenuInput::DOWN;
    }
    if (pad.buttons[PAD_DPAD_LEFT]) {
        return MenuInput::LEFT;
    }
    if (pad.buttons[PAD_DPAD_RIGHT]) {
        return MenuInput::RIGHT;
    }
    const StickDeflection stick = stickDeflection(pad, deadzone);
    if (std::fabs(stick.y) >= std::fabs(stick.x)) {
        // Stick y grows toward the player: down the list.
        return stick.y <= -MENU_STICK_PUSH ? MenuInput::UP
                                           : (stick.y >= MENU_STICK_PUSH ? MenuInput::DOWN : MenuInput::NONE);
    }
    return stick.x <= -MENU_STICK_PUSH ? MenuInput::LEFT
                                       : (stick.x >= MENU_STICK_PUSH ? MenuInput::RIGHT : MenuInput::NONE);
}

bool triggerPulled(short value, float deadzone)
{
    const float travel = static_cast<float>(value) / PAD_AXIS_FULL;
    return travel >= PAD_TRIGGER_PRESS && travel > deadzone;
}

}  // namespace

void MenuPadReader::reset()
{
    *this = MenuPadReader{};
}

std::vector<MenuInput> MenuPadReader::read(const PadState& pad, float deadzone, float nowMs,
                                           std::vector<PadInput>* pressed)
{
    std::vector<MenuInput> inputs;
    const MenuInput pointing = direction(pad, deadzone);
    if (!primed) {
        primed = true;
        last = pad;
        held = pointing;
        nextRepeatMs = nowMs + MENU_REPEAT_DELAY_MS;
        return inputs;
    }
    if (pointing != held) {
        held = pointing;
        nextRepeatMs = nowMs + MENU_REPEAT_DELAY_MS;
        if (pointing != MenuInput::NONE) {
            inputs.push_back(pointing);
        }
    } else if (pointing != MenuInput::NONE && nowMs >= nextRepeatMs) {
        inputs.push_back(pointing);
        nextRepeatMs = nowMs + MENU_REPEAT_EVERY_MS;
    }
    const struct {
        PadButton button;
        MenuInput input;
    } BUTTONS[] = {{PAD_A, MenuInput::TAKE}, {PAD_B, MenuInput::BACK}, {PAD_START, MenuInput::RESUME}};
    for (const auto& b : BUTTONS) {
        if (pad.buttons[b.button] && !last.buttons[b.button]) {
            inputs.push_back(b.input);
        }
    }
    if (pressed) {
        for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
            if (pad.buttons[b] && !last.buttons[b]) {
                pressed->push_back(padButton(static_cast<PadButton>(b)));
            }
        }
        for (PadAxis axis : {PAD_TRIGGER_LEFT, PAD_TRIGGER_RIGHT}) {
            if (triggerPulled(pad.axes[axis], deadzone) && !triggerPulled(last.axes[axis], deadzone)) {
                pressed->push_back(padAxis(axis));
            }
        }
    }
    last = pad;
    return inputs;
}
