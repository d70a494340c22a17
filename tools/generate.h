// Writes the game's data files below a directory: the three models, the 31
// textures and the seven sounds. The same program always writes the same
// bytes. Files of the player ("vorel.ini", "bestenliste.txt") are never
// touched. Each function returns false after printing which file failed.
#pragma once

#include <string>

bool generateModels(const std::string& dir);
// Only "asteroid1.txt", with another triangle budget (even, at least 4).
bool generateAsteroid(const std::string& dir, int triangleCount);
bool generateTextures(const std::string& dir);
bool generateSounds(const std::string& dir);
bool generateAll(const std::string& dir);
