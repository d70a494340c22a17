// The pause menu and its options screen, driven as a player drives them: by
// keys, the mouse and a pad, with the game's own bindings and options file.
#include "app/menu/menu.h"

#include "app/input/input.h"
#include "app/files/options.h"
#include "app/loop/pause.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "support/file_capture.h"
#include "support/sim_world.h"

namespace {

const InputKey DOWN = specialKey(KEY_DOWN);
const InputKey RETURN = characterKey('\r');
const InputKey ESCAPE = characterKey(KEY_ESCAPE);

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
        SimWorld::TearDown();
    }

    MenuOutcome press(InputKey key) { return menu.key(key); }
    MenuOutcome pad(const PadState& state, float ms) { return menu.pads(&state, 1, ms); }
    // The shown line of that label (selected: the selected one), or an empty one.
    MenuLine line(const std::string& label = "")
    {
        for (const MenuLine& l : menu.view().lines) {
            if (label.empty() ? l.selected : l.label == label) {
                return l;
            }
        }
        return MenuLine{};
    }

    TempWorkDir dir;
    PauseMenu menu;
};

}  // namespace

// Keys: the list stops at both ends, Quit asks first with Cancel selected,
// Escape goes back and at the top resumes, and the pause key resumes.
TEST_F(Menu, KeysWalkTheListAndQuitAsksFirst)
{
    std::vector<std::string> labels;
    for (const MenuLine& l : menu.view().lines) {
        labels.push_back(l.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Resume", "Restart lap", "Options", "Watch best lap", "Quit"}));
    press(specialKey(KEY_UP));
    EXPECT_EQ(line().label, "Resume");
    for (int i = 0; i < 6; ++i) {
        press(DOWN);
    }
    EXPECT_EQ(line().label, "Quit");
    press(characterKey(' '));
    EXPECT_EQ(line().label, "Cancel");
    press(RETURN);  // Cancel: back to the list, on Quit
    EXPECT_EQ(line().label, "Quit");
    press(RETURN);
    EXPECT_EQ(press(ESCAPE), MenuOutcome::STAY);  // back from the question
    press(RETURN);
    press(DOWN);
    press(DOWN);
    EXPECT_EQ(press(RETURN), MenuOutcome::QUIT);

    menu.open();
    press(DOWN);
    EXPECT_EQ(press(RETURN), MenuOutcome::RESTART);
    menu.open();
    EXPECT_EQ(press(characterKey('\b')), MenuOutcome::RESUME);
    menu.open();
    EXPECT_EQ(press(characterKey('P')), MenuOutcome::RESUME);
}

// A pad: the Start that opened the menu does nothing until pressed again;
// the stick moves only past the deadzone, once, then repeats while held. The
// mouse: hovering selects, a click takes, a click beside the list does nothing.
TEST_F(Menu, APadAndTheMouseDriveItToo)
{
    PadState state;
    state.buttons[PAD_START] = true;
    EXPECT_EQ(pad(state, 0.0f), MenuOutcome::STAY);
    state.buttons[PAD_START] = false;
    state.axes[PAD_LEFT_Y] = 4000;  // inside the deadzone
    pad(state, 16.0f);
    EXPECT_EQ(line().label, "Resume");
    state.axes[PAD_LEFT_Y] = 30000;
    const std::vector<float> at = {32.0f, 31.0f + MENU_REPEAT_DELAY_MS, 32.0f + MENU_REPEAT_DELAY_MS,
                                   32.0f + MENU_REPEAT_DELAY_MS + MENU_REPEAT_EVERY_MS};
    const std::vector<std::string> selected = {"Restart lap", "Restart lap", "Options", "Watch best lap"};
    for (std::size_t i = 0; i < at.size(); ++i) {
        pad(state, at[i]);
        EXPECT_EQ(line().label, selected[i]) << at[i] << " ms";
    }
    state = PadState{};
    state.buttons[PAD_DPAD_UP] = true;
    pad(state, 1000.0f);
    state = PadState{};
    state.buttons[PAD_A] = true;
    pad(state, 1016.0f);
    EXPECT_EQ(menu.view().title, "OPTIONS");
    state = PadState{};
    state.buttons[PAD_B] = true;
    pad(state, 1032.0f);
    EXPECT_EQ(menu.view().title, "PAUSE");
    state = PadState{};
    state.buttons[PAD_START] = true;
    state.buttons[PAD_A] = true;
    EXPECT_EQ(pad(state, 1048.0f), MenuOutcome::RESUME);
    // Back in flight, what is still held from the menu does not act.
    adoptHeldPads(game, &state, 1);
    applyPads(game, &state, 1, 16.0f);
    frame(16.5f);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FREE);
    EXPECT_FALSE(gamePaused(game));

    menu.layout = MenuLayout{1920, 1080, 1};
    const int x = menu.layout.labelX();
    menu.hover(x, menu.layout.rowBaseline(PAUSE_QUIT) - 5);
    EXPECT_EQ(line().label, "Quit");
    EXPECT_EQ(menu.click(MOUSE_LEFT_BUTTON, x, menu.layout.rowBaseline(PAUSE_QUIT + 3)), MenuOutcome::STAY);
    EXPECT_EQ(menu.click(MOUSE_LEFT_BUTTON, x, menu.layout.rowBaseline(PAUSE_RESTART)), MenuOutcome::RESTART);
}

// Rebinding in the options screen: a key taken from another action is shown
// moving, Escape cancels, a trigger under the deadzone is no press, Reset
// asks first, and leaving saves into options.ini what the game then acts on.
TEST_F(Menu, RebindingShowsMovesAndLeavingSavesTheFile)
{
    writeWholeFile(OPTIONS_FILE, "# mine\nkey.pause = p\n");
    readOptions();
    menu.selected = PAUSE_OPTIONS;
    press(RETURN);
    EXPECT_EQ(line().label, "thrust");
    for (int i = 0; i < 4; ++i) {
        press(DOWN);
    }
    ASSERT_EQ(line().label, "fire");
    press(RETURN);
    EXPECT_EQ(press(ESCAPE), MenuOutcome::STAY);  // cancels the capture, stays in options
    EXPECT_EQ(line("fire").value + " " + line("fire").extra, "mouse_left pad a");
    press(RETURN);
    press(characterKey('W'));
    EXPECT_EQ(menu.view().note, "w moved from thrust to fire; thrust has no key now");
    EXPECT_TRUE(line("thrust").warning);
    EXPECT_EQ(line("thrust").value, "no key");

    press(RETURN);
    PadState state;
    pad(state, 0.0f);
    playerOptions.pad.deadzone = 0.5f;
    state.axes[PAD_TRIGGER_LEFT] = 13000;  // past the press point, under the deadzone
    pad(state, 16.0f);
    EXPECT_TRUE(menu.options.capturingInput());
    playerOptions.pad.deadzone = PAD_DEADZONE_START;
    state = PadState{};
    state.buttons[PAD_Y] = true;
    pad(state, 32.0f);
    EXPECT_EQ(menu.view().note, "pad y moved from ghost to fire");

    while (line().label != "Reset to defaults") {
        press(DOWN);
    }
    press(RETURN);
    EXPECT_EQ(menu.view().title, "Reset to defaults?");
    EXPECT_EQ(line().label, "Cancel");
    press(RETURN);
    EXPECT_EQ(line("fire").value + " " + line("fire").extra, "w pad y");
    press(DOWN);  // mouse sensitivity
    press(specialKey(KEY_RIGHT));
    EXPECT_EQ(playerOptions.mouse.sensitivity, 1.1f);

    press(ESCAPE);
    EXPECT_EQ(menu.view().title, "PAUSE");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), "# mine\nkey.pause = p\nmouse.sensitivity = 1.1\nkey.thrust = none\n"
                                           "key.fire = w\npad.fire = y\npad.ghost = none\n");
    readOptions();
    pressKey(game, characterKey('w'));
    frame(16.5f);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FLYING);
}
