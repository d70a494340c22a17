// Writes the game's data files below a directory: the three models, the 32
// textures and the seven sounds. The same program always writes the same
// bytes. Files of the player ("vorel.ini", "bestenliste.txt") are never
// touched. Each function returns false after printing which file failed.
#pragma once

#include <string>
#include <vector>

bool generateModels(const std::string& dir);
// Only "asteroid1.txt", with another triangle budget (even, at least 4).
bool generateAsteroid(const std::string& dir, int triangleCount);
bool generateTextures(const std::string& dir);
bool generateSounds(const std::string& dir);
bool generateAll(const std::string& dir);

// The names of the files generateAll writes, relative to its directory: what
// an installation copies, and nothing of the player's.
std::vector<std::string> dataFileNames();

// The desktop icon in the sizes a menu asks for, as PNG files laid out like an
// icon theme below dir ("hicolor/48x48/apps/vorel.png" and so on). Not game
// data: the game never reads them.
constexpr int ICON_SIZES[] = {48, 128, 256};
bool generateIcons(const std::string& dir);
