#include "app/files/options_save.h"

#include "app/input/input.h"
#include "app/input/key_names.h"
#include "app/files/options.h"
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

const std::string PLAYERS_FILE = "\xEF\xBB\xBF# my keys\r\nkey.fire = w      # w fires\r\n\r\ncolour = teal\r\n"
                                 "mouse.sensitivity = 3\r\n# mouse.invert = 1\r\nmouse.sensitivity = 2 # counts";

}  // namespace

// Changes go into the player's own file: the line that counts is set in
// place, new names come at the end, and the file read back gives what the
// player had. No change, or one that ends where it began, touches nothing,
// down to the file's time.
TEST_F(OptionsSave, ChangesAreSetInTheirLinesAndTheRestOfTheFileStays)
{
    writeWholeFile(OPTIONS_FILE, PLAYERS_FILE);
    struct utimbuf old = {1000000, 1000000};
    ASSERT_EQ(::utime(OPTIONS_FILE, &old), 0);
    readOptions();
    const std::vector<OptionValue> before = currentOptionValues();
    EXPECT_EQ(saveOptions(changedOptionValues(before, currentOptionValues())), "");
    EXPECT_EQ(saveOptions({{"mouse.sensitivity", "2"}, {"key.fire", "w"}}), "");
    struct stat info = {};
    ASSERT_EQ(::stat(OPTIONS_FILE, &info), 0);
    EXPECT_EQ(info.st_mtime, 1000000);

    playerOptions.mouse.sensitivity = 0.5f;
    playerOptions.mouse.invertY = true;
    playerOptions.keys.keys[controlActionNamed("fire")][1] = specialKey(KEY_UP);
    playerOptions.keys.keys[controlActionNamed("brake")][0] = InputKey{};
    playerOptions.keys.pads[controlActionNamed("fire")] = padButton(PAD_DPAD_LEFT);
    const std::vector<OptionValue> changes = changedOptionValues(before, currentOptionValues());
    EXPECT_EQ(changes, (std::vector<OptionValue>{{"mouse.sensitivity", "0.5"}, {"mouse.invert", "1"},
                                                 {"key.brake", "none"}, {"key.fire", "w up"},
                                                 {"pad.fire", "dpad_left"}}));
    EXPECT_EQ(saveOptions(changes), "");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE),
              "\xEF\xBB\xBF# my keys\r\nkey.fire = w up      # w fires\r\n\r\ncolour = teal\r\n"
              "mouse.sensitivity = 3\r\n# mouse.invert = 1\r\nmouse.sensitivity = 0.5 # counts\n"
              "mouse.invert = 1\nkey.brake = none\npad.fire = dpad_left\n");
    const std::vector<OptionValue> saved = currentOptionValues();
    // The unknown line, still named, and thrust and brake, left without a key.
    EXPECT_EQ(applyOptions(readWholeFile(OPTIONS_FILE)).size(), 3u);
    EXPECT_EQ(currentOptionValues(), saved);

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
    const auto save = [&] { return saveOptions({{"hud.scale", "2"}}) == message ? 0 : 1; };
    EXPECT_EQ(captureStdout([&] { status = exitStatusAsNobody(save); }, 2), message + "\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), PLAYERS_FILE);

    const std::string binary("\x7f" "ELF\x02\x01\x01\0\0", 9);
    writeWholeFile(OPTIONS_FILE, binary);
    EXPECT_EQ(captureStdout([] { saveOptions({{"hud.scale", "2"}}); }, 2),
              "Error writing file: options.ini (it is not plain text)\n");
    EXPECT_EQ(readWholeFile(OPTIONS_FILE), binary);
}
