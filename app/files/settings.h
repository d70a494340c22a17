// The settings file "vorel.ini": display mode and player name, read once at start.
#pragma once

#include <string>

constexpr int PLAYER_NAME_MAX = 20;
// Longest token of the file; longer ones are cut here.
constexpr int SETTINGS_TOKEN_MAX = 27;
// The three values whole, after their labels of 4, 4 and 3 characters, with
// the colon and the at sign: "3840x2160:32@144" and anything longer a token
// can hold.
constexpr int GAME_MODE_STRING_MAX = (SETTINGS_TOKEN_MAX - 4) + 1 + (SETTINGS_TOKEN_MAX - 4) + 1 + (SETTINGS_TOKEN_MAX - 3);

// What "vorel.ini" said, read once at start, before the display opens and
// long before the exit sequence (which may run from any toolkit callback)
// enters the player's name in the high-score list.
struct SettingsRead {
    // Handed to game mode, as "1024x768:32@85"; empty when the file is missing.
    char gameModeString[GAME_MODE_STRING_MAX + 1] = "";
    // Empty when the file is missing.
    char playerName[PLAYER_NAME_MAX + 1] = "";
};
extern SettingsRead settingsRead;

struct Settings {
    std::string gameMode;    // at most GAME_MODE_STRING_MAX characters
    std::string playerName;  // at most PLAYER_NAME_MAX characters
};

// Four white-space separated tokens, each a label of fixed length followed by
// its value: "res:1920x1080", "bpp:32", "hz:144", "name:Ace". Values are read
// whole; a resolution under 8 characters or a depth under 2 ends the mode
// string there, the name is cut to PLAYER_NAME_MAX, and a missing token counts
// as an empty one.
Settings parseSettings(const std::string& text);

// Reads "vorel.ini" into settingsRead and echoes the mode,
// the name and the mode again on standard output. A missing file is reported
// and leaves both empty.
void readSettings();
