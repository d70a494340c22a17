// The window and the frame capture of the tools that render pictures for
// docs/ through the real frame.
#pragma once

#include <string>

// Enters the data directory named by argv[1] (usage: PROGRAM DATA_DIR
// OUT.png), seeds the random generator and loads the world from there.
// False, with a message, when the arguments or the directory are wrong.
bool loadShotWorld(int argc, char** argv, unsigned int seed);

// With the world loaded: opens the game's window and prepares the graphics
// as start-up does.
void openShotDisplay(int& argc, char** argv);

// Saves the frame just drawn in the current window as a PNG file. Reads the back buffer (Mesa keeps it after the swap). False when the file
// cannot be written.
bool saveFrame(const std::string& path);
