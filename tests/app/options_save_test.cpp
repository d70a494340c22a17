#include "app/options_save.h"

#include "app/controls.h"
#include "app/input.h"
#include "app/key_names.h"
#include "app/options.h"
#include "sim/flight.h"
#include "support/as_nobody.h"
#include "support/file_capture.h"
#include "support/sim_world.h"

#include <sys/stat.h>
#include <utime.h>

namespace {

class OptionsSave : public SimWorld {
protected:
    void TearDown() override
    {
        resetOptions();
        SimWorld::TearDown();
    }

    TempWorkDir dir;
};

const std::string PLAYERS_FILE =
    "\xEF\xBB\xBF# my keys\r\n"
    "key.fire = w      # w fires\r\n"
    "\r\n"
    "colour = teal\r\n"
    "mouse.sensitivity = 3\r\n"
    "# mouse.invert = 1\r\n"
    "mouse.sensitivity = 2 # the later line counts";

long modifiedAt(const char* path)
{
    struct stat info = {};
    return ::stat(path, &info) == 0 ? static_cast<long>(info.st_mtime) : -1;
}

}  // namespace

// Changes made in the game go into the player's own file, line by line: the
// line that counts is set in place, new names come at the end, and reading
// the file back gives what the player had on screen.
TEST_F(OptionsSave, ChangesAreSetInTheirLinesAndTheRestOfTheFileStays)
{
    writeWholeFile(OPTIONS_FILE, PLAYERS_FILE);
    readOptions();
    const std::vector<OptionValue> before = currentOptionValues();

    mouseFeel.sensitivity = 0.5f;
    mouseFeel.invertY = true;
    keyBindings.keys[controlActionNamed("fire")][1] = specialKey(KEY_UP);
    keyBindings.keys[controlActionNamed("brake")][0] = InputKey{};
    keyBindings.pads[controlActionNamed("fire")] = padButton(PAD_DPAD_LEFT);
    const std::vector<OptionValue> changes = changedOptionValues(before, currentOptionValues());
    EXPECT_EQ(changes, (std::vector<OptionValue>{{"mouse.sensitivity", "0.5"}, {"mouse.invert", "1"},
                                                 {"key.brake", "none"}, {"key.fire", "w up"},
                                                 {"pad.fire", "dpad_left"}}));
    EXPECT_EQ(saveOptions(changes), "");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE),
              "\xEF\xBB\xBF# my keys\r\n"
              "key.fire = w up      # w fires\r\n"
              "\r\n"
              "colour = teal\r\n"
              "mouse.sensitivity = 3\r\n"
              "# mouse.invert = 1\r\n"
              "mouse.sensitivity = 0.5 # the later line counts\n"
              "mouse.invert = 1\n"
              "key.brake = none\n"
              "pad.fire = dpad_left\n");

    // Read back, the file gives the screen's values (the unknown line still named).
    const std::vector<OptionValue> saved = currentOptionValues();
    resetOptions();
    EXPECT_EQ(applyOptions(readWholeFile(OPTIONS_FILE)).size(), 1u);
    EXPECT_EQ(currentOptionValues(), saved);
    EXPECT_EQ(keyBindings.actionFor(characterKey('w')), controlActionNamed("fire"));
    EXPECT_EQ(keyBindings.actionForPad(padButton(PAD_DPAD_LEFT)), controlActionNamed("fire"));
    EXPECT_EQ(keyBindings.actionForPad(padButton(PAD_A)), -1);
}

// No change, or one that ends where it began, leaves the file as it was,
// down to its time; with no file, the changes make one.
TEST_F(OptionsSave, NothingChangedTouchesNothing)
{
    writeWholeFile(OPTIONS_FILE, PLAYERS_FILE);
    struct utimbuf old = {1000000, 1000000};
    ASSERT_EQ(::utime(OPTIONS_FILE, &old), 0);
    readOptions();
    EXPECT_EQ(saveOptions(changedOptionValues(currentOptionValues(), currentOptionValues())), "");
    EXPECT_EQ(saveOptions({{"mouse.sensitivity", "2"}, {"key.fire", "w"}}), "");
    EXPECT_EQ(modifiedAt(OPTIONS_FILE), 1000000);
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), PLAYERS_FILE);

    std::filesystem::remove(OPTIONS_FILE);
    EXPECT_EQ(saveOptions({{"hud.scale", "2"}}), "");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), "hud.scale = 2\n");
}

// A save that cannot be made says so in one line, and the player's file is
// as it was: one the player may not write, one that is no text.
TEST_F(OptionsSave, AFailedSaveIsNamedAndTheFileStaysWhole)
{
    using std::filesystem::perms;
    std::filesystem::permissions(dir.path(), perms::owner_all | perms::group_exec | perms::others_exec);
    writeWholeFile(OPTIONS_FILE, PLAYERS_FILE);
    std::filesystem::permissions(OPTIONS_FILE, perms::owner_read | perms::owner_write | perms::others_read);
    const std::string message = "Error writing file: options.ini (the changes are not saved)";
    int status = -1;
    EXPECT_EQ(captureStdout([&] { status = exitStatusAsNobody([&] { return saveOptions({{"hud.scale", "2"}}) == message ? 0 : 1; }); },
                            2),
              message + "\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), PLAYERS_FILE);

    const std::string binary("\x7f" "ELF\x02\x01\x01\0\0", 9);
    writeWholeFile(OPTIONS_FILE, binary);
    EXPECT_EQ(captureStdout([] { saveOptions({{"hud.scale", "2"}}); }, 2),
              "Error writing file: options.ini (it is not plain text)\n");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), binary);
}
