#include "app/settings.h"
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

TEST(SettingsParse, FixedWidthPartsEndOrCutTheModeString)
{
    // A short resolution ends the string, leaving out depth and rate.
    EXPECT_EQ(parseSettings("res:800x600 bpp:32 hz:85 name:Ace").gameMode, "800x600");
    EXPECT_EQ(parseSettings("res:1920x1080 bpp:24 hz:60 name:Ace").gameMode, "1920x108:24@60");
    EXPECT_EQ(parseSettings("res:1024x768 bpp:8 hz:85 name:Ace").gameMode, "1024x768:8");
    EXPECT_EQ(parseSettings("res:1024x768 bpp:32 hz:100 name:Ace").gameMode, "1024x768:32@10");
    EXPECT_EQ(parseSettings("res:1024x768 bpp:32 hz:100 name:Ace").playerName, "Ace");
}

TEST(SettingsParse, LongTokensAreCutAndDoNotSpillIntoTheNextOne)
{
    const Settings longName = parseSettings("res:1024x768 bpp:32 hz:85 name:ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(longName.playerName, "ABCDEFGHIJKLMNOPQRST");
    // A first token far beyond the format: its tail must not become token 2.
    const Settings longFirst =
        parseSettings("res:1024x768" + std::string(100, 'x') + " bpp:16 hz:75 name:Bo");
    EXPECT_EQ(longFirst.gameMode, "1024x768:16@75");
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

TEST(SettingsFile, ReadEchoesModeNameModeAndAMissingFileIsReported)
{
    TempWorkDir dir;
    gameModeString[0] = 'x';
    gameModeString[1] = '\0';
    EXPECT_EQ(captureStdout(readSettings), "Error opening file: vorel.ini\n");
    EXPECT_STREQ(gameModeString, "x");  // untouched: empty at start in the game

    writeWholeFile("vorel.ini", "res:1024x768\nbpp:32\nhz:85\nname:" + std::string(30, 'N') + "\n");
    EXPECT_EQ(captureStdout(readSettings), "1024x768:32@85\n" + std::string(20, 'N') + "\n1024x768:32@85\n");
    EXPECT_STREQ(gameModeString, "1024x768:32@85");
    EXPECT_EQ(std::string(playerName), std::string(20, 'N'));
    gameModeString[0] = '\0';
    playerName[0] = '\0';
}
