#include "app/files/settings.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

TEST(SettingsParse, LabelsAreSkippedByLengthNotByContent)
{
    const Settings plain = parseSettings("res:1024x768\nbpp:32\nhz:85\nname:Ace\n");
    EXPECT_EQ(plain.gameMode, "1024x768:32@85");
    EXPECT_EQ(plain.playerName, "Ace");
    const Settings odd = parseSettings("  ABCD1024x768 \t zzzz32 ___85\n\n\nvalueAce");
    EXPECT_EQ(odd.gameMode, "1024x768:32@85");
    EXPECT_EQ(odd.playerName, "Ace");
}

TEST(SettingsParse, TodaysModesAreReadWholeAndShortPartsStillEndTheString)
{
    EXPECT_EQ(parseSettings("res:1920x1080 bpp:32 hz:144 name:Ace").gameMode, "1920x1080:32@144");
    EXPECT_EQ(parseSettings("res:2560x1440 bpp:32 hz:120 name:Ace").gameMode, "2560x1440:32@120");
    EXPECT_EQ(parseSettings("res:3840x2160 bpp:32 hz:60 name:Ace").gameMode, "3840x2160:32@60");
    EXPECT_EQ(parseSettings("res:1024x768 bpp:32 hz:100 name:Ace").playerName, "Ace");
    // A short resolution ends the string, leaving out depth and rate; so does a short depth.
    EXPECT_EQ(parseSettings("res:800x600 bpp:32 hz:85 name:Ace").gameMode, "800x600");
    EXPECT_EQ(parseSettings("res:1024x768 bpp:8 hz:85 name:Ace").gameMode, "1024x768:8");
}

TEST(SettingsParse, LongTokensAreCutAndDoNotSpillIntoTheNextOne)
{
    const Settings longName = parseSettings("res:1024x768 bpp:32 hz:85 name:ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(longName.playerName, "ABCDEFGHIJKLMNOPQRST");
    // A first token far beyond the format: its tail must not become token 2.
    const Settings longFirst =
        parseSettings("res:1024x768" + std::string(100, 'x') + " bpp:16 hz:75 name:Bo");
    EXPECT_EQ(longFirst.gameMode, "1024x768" + std::string(15, 'x') + ":16@75");
    EXPECT_EQ(longFirst.playerName, "Bo");
}

TEST(SettingsParse, MissingTokensLeaveTheirFieldsEmpty)
{
    EXPECT_EQ(parseSettings("").gameMode, "");
    EXPECT_EQ(parseSettings("").playerName, "");
    const Settings resolutionOnly = parseSettings("res:1024x768\n");
    EXPECT_EQ(resolutionOnly.gameMode, "1024x768:");
    EXPECT_EQ(resolutionOnly.playerName, "");
    EXPECT_EQ(parseSettings("re 1024x768 bpp:32 hz:85").gameMode, "");  // label shorter than its width
    EXPECT_EQ(parseSettings("res:1024x768 bpp:32 hz:85").playerName, "");
}

TEST(SettingsFile, ReadEchoesModeNameModeAndAMissingOrFolderFileIsReported)
{
    TempWorkDir dir;
    settingsRead.gameModeString[0] = 'x';
    settingsRead.gameModeString[1] = '\0';
    EXPECT_EQ(captureStdout(readSettings), "Error opening file: vorel.ini\n");
    EXPECT_STREQ(settingsRead.gameModeString, "x");  // untouched: empty at start in the game
    std::filesystem::create_directory("vorel.ini");
    EXPECT_EQ(captureStdout(readSettings), "Error opening file: vorel.ini\n");
    EXPECT_STREQ(settingsRead.gameModeString, "x");
    std::filesystem::remove("vorel.ini");

    writeWholeFile("vorel.ini", "res:1920x1080\nbpp:32\nhz:144\nname:" + std::string(30, 'N') + "\n");
    EXPECT_EQ(captureStdout(readSettings), "1920x1080:32@144\n" + std::string(20, 'N') + "\n1920x1080:32@144\n");
    EXPECT_STREQ(settingsRead.gameModeString, "1920x1080:32@144");
    EXPECT_EQ(std::string(settingsRead.playerName), std::string(20, 'N'));
    settingsRead.gameModeString[0] = '\0';
    settingsRead.playerName[0] = '\0';
}
