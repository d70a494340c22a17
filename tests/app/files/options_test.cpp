#include "app/files/options.h"

#include "app/input/controls.h"
#include "app/input/input.h"
#include "app/input/key_names.h"
#include "app/input/pad_input.h"
#include "app/loop/pause.h"
#include "render/palette.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "support/as_nobody.h"
#include "support/file_capture.h"
#include "support/sim_world.h"

#include <cstdlib>
#include <regex>

namespace {

class Options : public SimWorld {
protected:
    void TearDown() override
    {
        resetOptions();
        SimWorld::TearDown();
    }

    TempWorkDir dir;
};

}  // namespace

// Keys moved, two keys for one action, and the mouse's feel, through the
// real key and mouse handlers.
TEST_F(Options, ReboundKeysActTheOldKeysNoLongerDoAndTheMouseTurnsAsSet)
{
    writeWholeFile(OPTIONS_FILE,
                   "# arrows fly, w fires\n"
                   "key.thrust = up\n"
                   "key.fire = W          # taken from thrust\n"
                   "KEY.Brake = s down\n"
                   "key.roll_left = mouse_right\n"
                   "mouse.sensitivity = 2.5\n"
                   "mouse.invert = 1\n");
    EXPECT_EQ(captureStdout(readOptions), "");

    // A launch is the next frame's.
    onKeyDown(game, 'w');
    frame(16.5f);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FLYING);
    EXPECT_EQ(game.hands.thrustInput, 0);
    onSpecialKey(game, KEY_UP);
    EXPECT_EQ(game.hands.thrustInput, 1);
    onSpecialKeyUp(game, KEY_UP);
    EXPECT_EQ(game.hands.thrustInput, 0);
    onSpecialKey(game, KEY_DOWN);
    EXPECT_EQ(game.hands.thrustInput, -1);
    onKeyUp(game, 'S');  // either key of the pair clears it
    EXPECT_EQ(game.hands.thrustInput, 0);

    // The old keys: q and the left button no longer act.
    world.rocketCooldown = 0;
    onKeyDown(game, 'q');
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP);
    EXPECT_EQ(game.hands.rollInput, 0);
    frame(16.5f);
    EXPECT_EQ(world.rockets[1].state, ROCKET_FREE);

    // A held action on a mouse button: the view turns while it is held, by
    // the sensitivity's share, and up the screen turns the view up (by design, down).
    game.hands.lastMouseX = 200;
    game.hands.lastMouseY = 200;
    onMouseButton(game, MOUSE_RIGHT_BUTTON, MOUSE_BUTTON_DOWN);
    EXPECT_EQ(game.hands.rollInput, 1);
    onMouseDrag(game, 210, 190);
    frame(16.5f);
    EXPECT_EQ(world.camera.yawAngle, -0.025f * 2.5f);
    EXPECT_EQ(world.camera.pitchAngle, -0.025f * 2.5f);
    onMouseButton(game, MOUSE_RIGHT_BUTTON, MOUSE_BUTTON_UP);
    EXPECT_EQ(game.hands.rollInput, 0);
}

TEST_F(Options, EveryUnusableLineIsNamedWithItsNumberAndTheOthersApply)
{
    const std::vector<std::string> problems = applyOptions(
        "\xEF\xBB\xBFmouse.sensitivity = 10\r\n"
        "mouse.sensitivity = 10.5\r\n"
        "pad.deadzone = fast\r\n"
        "pad.invert = 2\r\n"
        "key.jump = space\r\n"
        "key.fire = esc\r\n"
        "key.fire = Escape\r\n"
        "key.thrust = up\r\n"
        "key.brake = up\r\n"
        "key.roll_left = a b c\r\n"
        "just words\r\n"
        "key.fps =   # nothing\r\n"
        "\r\n"
        "pad.deadzone = 0.9\r\n"
        "pad.look_speed = 0.1\r\n"
        "pad.invert = 1\n"
        "hud.scale = 2.5\n"
        "hud.scale = 3\n"
        "key.ghost = p e");
    const std::string at = "Error in options.ini line ";
    EXPECT_EQ(problems, (std::vector<std::string>{
                            at + "2: mouse.sensitivity must be from 0.1 to 10",
                            at + "3: \"fast\" is not a number",
                            at + "4: pad.invert must be 0 or 1",
                            at + "5: unknown name \"key.jump\"",
                            at + "6: no key is named \"esc\"",
                            at + "7: escape always ends the game and cannot be bound",
                            at + "9: \"up\" is already bound to thrust by line 8",
                            at + "10: at most 2 keys for one action",
                            at + "11: not a line of name = value",
                            at + "12: no key given",
                            at + "17: hud.scale must be a whole number from 0 to 4",
                            // Then each action whose default key another took.
                            "options.ini: roll_right has no key now",
                            "options.ini: pause has no key now",
                        }));
    EXPECT_EQ(playerOptions.mouse.sensitivity, 10.0f);
    EXPECT_EQ(playerOptions.pad.deadzone, 0.9f);
    EXPECT_EQ(playerOptions.pad.lookSpeed, 0.1f);
    EXPECT_TRUE(playerOptions.pad.invertY);
    EXPECT_EQ(playerOptions.display.hudScale, 3.0f);
    // Refused lines leave their actions as they were.
    EXPECT_EQ(playerOptions.keys.actionFor(characterKey('s')), controlActionNamed("brake"));
    EXPECT_EQ(playerOptions.keys.actionFor(characterKey('q')), controlActionNamed("roll_left"));
    EXPECT_EQ(playerOptions.keys.actionFor(specialKey(KEY_F2)), controlActionNamed("fps"));
}

TEST_F(Options, FilesThatCannotBeUsedGetOneLineAndTheDefaults)
{
    EXPECT_EQ(captureStdout(readOptions), "");  // missing: nothing to say
    for (const std::string& file : {std::string(), std::string(" \n\t\n"),
                                    std::string("\x7f" "ELF\x02\x01\x01\0\0key.thrust = up\n", 25),
                                    std::string(70000, '#') + "\nkey.thrust = up\n"}) {
        applyOptions("key.thrust = up");
        writeWholeFile(OPTIONS_FILE, file);
        EXPECT_EQ(captureStdout(readOptions), "Error reading file: options.ini\n") << file.size() << " bytes";
        EXPECT_EQ(playerOptions.keys.actionFor(characterKey('w')), controlActionNamed("thrust"));
    }

    const std::string opening = "Error opening file: options.ini\n";
    std::filesystem::remove(OPTIONS_FILE);
    std::filesystem::create_directory(OPTIONS_FILE);
    EXPECT_EQ(captureStdout(readOptions), opening);
    std::filesystem::remove(OPTIONS_FILE);

    using std::filesystem::perms;
    std::filesystem::permissions(dir.path(), perms::owner_all | perms::group_exec | perms::others_exec);
    writeWholeFile(OPTIONS_FILE, "mouse.invert = 1\n");
    std::filesystem::permissions(OPTIONS_FILE, perms::none);
    int status = -1;
    EXPECT_EQ(captureStdout([&] { status = exitStatusAsNobody([] { readOptions(); return playerOptions.mouse.invertY ? 1 : 0; }); }),
              opening);
    EXPECT_EQ(status, 0);
}

// The shipped example, its lines taken out of their comments, names every
// action and option with the values the game has without it.
TEST_F(Options, TheExampleFileListsEveryNameWithItsDefault)
{
    const char* source = std::getenv("VOREL_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::string example = readWholeFile(std::string(source) + "/packaging/options.ini.example");
    const std::string active = std::regex_replace(example, std::regex("^# ([a-z_.]+ = )", std::regex::multiline), "$1");
    EXPECT_TRUE(applyOptions(active).empty());
    const KeyBindings defaults = defaultKeyBindings();
    for (int a = 0; a < CONTROL_ACTION_COUNT; ++a) {
        EXPECT_NE(active.find(std::string("\nkey.") + CONTROL_ACTIONS[a].name + " = "), std::string::npos)
            << CONTROL_ACTIONS[a].name;
        for (int k = 0; k < KEYS_PER_ACTION; ++k) {
            EXPECT_EQ(playerOptions.keys.keys[a][k], defaults.keys[a][k]) << CONTROL_ACTIONS[a].name;
        }
        const PadInput pad = CONTROL_ACTIONS[a].pad;
        if (pad.source != PadSource::NONE && !(pad == padButton(PAD_START))) {
            EXPECT_NE(active.find(std::string("\npad.") + CONTROL_ACTIONS[a].name + " = " + padInputName(pad)),
                      std::string::npos)
                << CONTROL_ACTIONS[a].name;
        }
        EXPECT_EQ(playerOptions.keys.pads[a], defaults.pads[a]) << CONTROL_ACTIONS[a].name;
    }
    for (int r = 0; r < OPTION_ROW_COUNT; ++r) {
        const OptionRow& row = OPTION_ROWS[r];
        EXPECT_NE(active.find(std::string("\n") + row.name + " = "), std::string::npos) << row.name;
        EXPECT_EQ(row.flag ? static_cast<float>(*row.flag) : *row.number, row.start) << row.name;
    }
}

// A word option, in any case; anything else is refused with the words it takes.
TEST_F(Options, ThePaletteIsChosenByItsNameInTheFile)
{
    writeWholeFile(OPTIONS_FILE, "display.palette = 1\nDisplay.Palette = Safe\n");
    EXPECT_EQ(captureStdout(readOptions), "Error in options.ini line 1: display.palette must be designed or safe\n");
    EXPECT_EQ(playerOptions.display.palette, PALETTE_SAFE);
    resetOptions();
    EXPECT_EQ(playerOptions.display.palette, PALETTE_DESIGNED);
}

// Pad lines move buttons between actions the way key lines move keys, Start
// stays with pause, and the pads act as the lines say.
TEST_F(Options, PadLinesRebindThePadsButtonsAndStartStaysPause)
{
    const std::vector<std::string> problems = applyOptions("pad.fire = X\n"
                                                           "pad.radio_up = a       # taken from fire\n"
                                                           "pad.brake = none\n"
                                                           "pad.pause = y\n"
                                                           "pad.thrust = start\n"
                                                           "pad.roll_left = wheel\n"
                                                           "pad.roll_right = x\n");
    const std::string at = "Error in options.ini line ";
    EXPECT_EQ(problems, (std::vector<std::string>{
                            at + "4: pause stays on start",
                            at + "5: start always pauses and cannot be bound",
                            at + "6: no pad button is named \"wheel\"",
                            at + "7: \"x\" is already bound to fire by line 1",
                        }));

    PadState pad;
    const int volume = game.radioVolume;
    pad.buttons[PAD_A] = true;
    applyPads(game, &pad, 1, 16.0f);
    EXPECT_EQ(game.radioVolume, volume + RADIO_VOLUME_STEP);
    frame(16.5f);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FREE);
    pad.buttons[PAD_X] = true;
    pad.axes[PAD_TRIGGER_LEFT] = 32767;
    applyPads(game, &pad, 1, 16.0f);
    frame(16.5f);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FLYING);
    EXPECT_EQ(game.hands.thrustInput, 0);  // brake has no trigger
    pad.buttons[PAD_START] = true;
    applyPads(game, &pad, 1, 16.0f);
    EXPECT_TRUE(gamePaused(game));
}
