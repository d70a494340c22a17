// The pause menu and its options screen, driven as a player drives them: by
// keys, the mouse and a pad, with the game's own bindings and options file.
#include "app/menu.h"

#include "app/input.h"
#include "app/options.h"
#include "app/pause.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "support/file_capture.h"
#include "support/sim_world.h"

namespace {

class Menu : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        menu.open();
    }
    void TearDown() override
    {
        resetOptions();
        soundApplyLevels();
        resetPause();
        SimWorld::TearDown();
    }

    MenuOutcome press(InputKey key) { return menu.key(key); }
    MenuOutcome pad(const PadState& state, float ms) { return menu.pads(&state, 1, ms); }
    std::string selectedLabel()
    {
        for (const MenuLine& line : menu.view().lines) {
            if (line.selected) {
                return line.label;
            }
        }
        return "";
    }
    const MenuLine* line(const std::string& label)
    {
        view = menu.view();
        for (const MenuLine& l : view.lines) {
            if (l.label == label) {
                return &l;
            }
        }
        return nullptr;
    }

    TempWorkDir dir;
    PauseMenu menu;
    MenuView view;
};

const InputKey UP = specialKey(KEY_UP);
const InputKey DOWN = specialKey(KEY_DOWN);
const InputKey RETURN = characterKey('\r');
const InputKey ESCAPE = characterKey(KEY_ESCAPE);

}  // namespace

// Keys: the list stops at both ends, Quit asks first with Cancel selected,
// Escape goes back and at the top resumes, and the pause key resumes.
TEST_F(Menu, KeysWalkTheListAndQuitAsksFirst)
{
    MenuView shown = menu.view();
    EXPECT_EQ(shown.title, "PAUSE");
    std::vector<std::string> labels;
    for (const MenuLine& l : shown.lines) {
        labels.push_back(l.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Resume", "Restart lap", "Options", "Quit"}));
    press(UP);
    EXPECT_EQ(selectedLabel(), "Resume");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(press(DOWN), MenuOutcome::STAY);
    }
    EXPECT_EQ(selectedLabel(), "Quit");
    EXPECT_EQ(press(characterKey(' ')), MenuOutcome::STAY);
    EXPECT_EQ(selectedLabel(), "Cancel");
    EXPECT_EQ(press(RETURN), MenuOutcome::STAY);  // Cancel: back to the list, on Quit
    EXPECT_EQ(selectedLabel(), "Quit");
    press(RETURN);
    press(DOWN);
    press(DOWN);
    EXPECT_EQ(selectedLabel(), "Quit");
    EXPECT_EQ(press(ESCAPE), MenuOutcome::STAY);  // back from the question
    press(RETURN);
    press(DOWN);
    EXPECT_EQ(press(RETURN), MenuOutcome::QUIT);

    menu.open();
    press(DOWN);
    EXPECT_EQ(press(RETURN), MenuOutcome::RESTART);
    menu.open();
    EXPECT_EQ(press(characterKey('\b')), MenuOutcome::RESUME);
    menu.open();
    press(DOWN);
    EXPECT_EQ(press(characterKey('P')), MenuOutcome::RESUME);
}

// A pad: the Start that opened the menu does nothing until pressed again;
// the stick moves only past the deadzone, once, then repeats while held.
TEST_F(Menu, APadMovesWithRepeatTakesWithAAndResumesWithStart)
{
    PadState state;
    state.buttons[PAD_START] = true;
    EXPECT_EQ(pad(state, 0.0f), MenuOutcome::STAY);
    state.buttons[PAD_START] = false;
    state.axes[PAD_LEFT_Y] = 4000;  // inside the deadzone
    EXPECT_EQ(pad(state, 16.0f), MenuOutcome::STAY);
    EXPECT_EQ(selectedLabel(), "Resume");
    state.axes[PAD_LEFT_Y] = 30000;
    pad(state, 32.0f);
    EXPECT_EQ(selectedLabel(), "Restart lap");
    pad(state, 32.0f + MENU_REPEAT_DELAY_MS - 1.0f);
    EXPECT_EQ(selectedLabel(), "Restart lap");
    pad(state, 32.0f + MENU_REPEAT_DELAY_MS);
    EXPECT_EQ(selectedLabel(), "Options");
    pad(state, 32.0f + MENU_REPEAT_DELAY_MS + MENU_REPEAT_EVERY_MS);
    EXPECT_EQ(selectedLabel(), "Quit");
    state.axes[PAD_LEFT_Y] = 0;
    state.buttons[PAD_DPAD_UP] = true;
    pad(state, 1000.0f);
    EXPECT_EQ(selectedLabel(), "Options");
    state.buttons[PAD_DPAD_UP] = false;
    state.buttons[PAD_A] = true;
    pad(state, 1016.0f);
    EXPECT_EQ(menu.view().title, "OPTIONS");
    state.buttons[PAD_A] = false;
    state.buttons[PAD_B] = true;
    pad(state, 1032.0f);
    EXPECT_EQ(menu.view().title, "PAUSE");
    state.buttons[PAD_B] = false;
    state.buttons[PAD_START] = true;
    EXPECT_EQ(pad(state, 1048.0f), MenuOutcome::RESUME);
}

// The mouse: hovering selects the row under the pointer, a click takes it,
// and a click beside the list does nothing.
TEST_F(Menu, TheMouseSelectsByHoverAndTakesByClick)
{
    menu.layout = MenuLayout{1920, 1080, 1};
    const int x = menu.layout.labelX();
    menu.hover(x, menu.layout.rowBaseline(PAUSE_OPTIONS) - 5);
    EXPECT_EQ(selectedLabel(), "Options");
    EXPECT_EQ(menu.click(MOUSE_LEFT_BUTTON, x, menu.layout.rowBaseline(PAUSE_QUIT + 3)), MenuOutcome::STAY);
    EXPECT_EQ(menu.click(MOUSE_LEFT_BUTTON, x, menu.layout.rowBaseline(PAUSE_RESTART)), MenuOutcome::RESTART);
    EXPECT_EQ(menu.layout.rowAt(5, menu.layout.rowBaseline(0)), -1);
}

// Rebinding in the options screen: a key taken from another action is shown
// moving, Escape cancels, a light pull of a trigger is no press, Reset asks
// first, and leaving saves into options.ini what the game then acts on.
TEST_F(Menu, RebindingShowsMovesAndLeavingSavesTheFile)
{
    writeWholeFile(OPTIONS_FILE, "# mine\nkey.pause = p\n");
    readOptions();
    menu.selected = PAUSE_OPTIONS;
    press(RETURN);
    EXPECT_EQ(selectedLabel(), "thrust");
    for (int i = 0; i < 4; ++i) {
        press(DOWN);
    }
    ASSERT_EQ(selectedLabel(), "fire");
    press(RETURN);
    EXPECT_EQ(press(ESCAPE), MenuOutcome::STAY);  // cancels the capture, stays in options
    EXPECT_EQ(menu.view().title, "OPTIONS");
    EXPECT_EQ(line("fire")->value, "mouse_left");
    EXPECT_EQ(line("fire")->extra, "pad a");
    press(RETURN);
    press(characterKey('W'));
    EXPECT_EQ(menu.view().note, "w moved from thrust to fire; thrust has no key now");
    EXPECT_TRUE(line("thrust")->warning);
    EXPECT_EQ(line("thrust")->value, "no key");

    press(RETURN);
    PadState state;
    pad(state, 0.0f);
    padOptions.deadzone = 0.5f;
    state.axes[PAD_TRIGGER_LEFT] = 13000;  // past the press point, under the deadzone
    pad(state, 16.0f);
    EXPECT_TRUE(menu.options.capturingInput());
    padOptions.deadzone = PAD_DEADZONE_START;
    state.axes[PAD_TRIGGER_LEFT] = 0;
    state.buttons[PAD_Y] = true;
    pad(state, 32.0f);
    EXPECT_EQ(menu.view().note, "pad y moved from ghost to fire");
    EXPECT_EQ(line("fire")->extra, "pad y");

    // Reset asks first; Cancel keeps the new bindings.
    while (selectedLabel() != "Reset to defaults") {
        press(DOWN);
    }
    press(RETURN);
    EXPECT_EQ(menu.view().title, "Reset to defaults?");
    EXPECT_EQ(selectedLabel(), "Cancel");
    press(RETURN);
    EXPECT_EQ(line("fire")->value, "w");
    press(DOWN);  // mouse sensitivity
    menu.key(specialKey(KEY_RIGHT));
    EXPECT_EQ(mouseFeel.sensitivity, 1.1f);

    EXPECT_EQ(press(ESCAPE), MenuOutcome::STAY);
    EXPECT_EQ(menu.view().title, "PAUSE");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE),
              "# mine\nkey.pause = p\nmouse.sensitivity = 1.1\nkey.thrust = none\nkey.fire = w\npad.fire = y\n"
              "pad.ghost = none\n");
    readOptions();
    pressKey(characterKey('w'));
    EXPECT_EQ(rockets[0].state, ROCKET_FLYING);
}
