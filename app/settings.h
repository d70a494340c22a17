// The settings file "vorel.ini": display mode and player name, read once at start.
#pragma once

constexpr int GAME_MODE_STRING_MAX = 14;
constexpr int PLAYER_NAME_MAX = 20;

// Handed to game mode, as "1024x768:32@85"; empty when the file is missing.
extern char gameModeString[GAME_MODE_STRING_MAX + 1];
// Empty when the file is missing.
extern char playerName[PLAYER_NAME_MAX + 1];
