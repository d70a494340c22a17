// The settings file "vorel.ini": display mode and player name, read once at start.
#pragma once

#include <string>

constexpr int GAME_MODE_STRING_MAX = 14;
constexpr int PLAYER_NAME_MAX = 20;
// Longest token of the file; longer ones are cut here.
constexpr int SETTINGS_TOKEN_MAX = 27;

// Handed to game mode, as "1024x768:32@85"; empty when the file is missing.
extern char gameModeString[GAME_MODE_STRING_MAX + 1];
// Empty when the file is missing.
extern char playerName[PLAYER_NAME_MAX + 1];

struct Settings {
    std::string gameMode;    // at most GAME_MODE_STRING_MAX characters
    std::string playerName;  // at most PLAYER_NAME_MAX characters
};

// Four white-space separated tokens, each a label of fixed length followed by
// its value: "res:1024x768", "bpp:32", "hz:85", "name:Ace". Only fixed
// positions are used; a value that ends early ends the mode string there, and
// a missing token counts as an empty one.
Settings parseSettings(const std::string& text);

// Reads "vorel.ini" into gameModeString and playerName and echoes the mode,
// the name and the mode again on standard output. A missing file is reported
// and leaves both empty.
void readSettings();
