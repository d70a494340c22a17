// "ghost.txt": the player's fastest recorded lap, raced as a ghost craft.
//
// A text file of white-space separated fields, laid out one item a line:
//
//   vorel-ghost 1            format name and version
//   lap 61234.5              lap time, ms
//   gates 11                 number of gate times (the course's gate count)
//   5123.25 ... 61234.5      gate times, ms since the lap began, in flying
//                            order (gate 1 ... gate 10, then gate 0): strictly
//                            increasing, the last equal to the lap time
//   samples 7400             number of samples, 2 to GHOST_SAMPLE_MAX
//   0 -220 0 0 0.9 0.1 0 0 0 1      one sample a line: time (ms, strictly
//   ...                      increasing from 0 to at most the lap time),
//                            position x y z (within the arena), view x y z,
//                            up x y z (unit vectors)
//
// Numbers are written with nine significant digits, so every float reads back
// exactly. Anything else, including a count beyond its bound, a value out of
// range or text after the last sample, makes the whole file malformed.
#pragma once

#include "sim/ghost.h"

#include <string>

extern const char* const GHOST_FILE;
constexpr int GHOST_FILE_VERSION = 1;

enum GhostFileStatus : int {
    GHOST_FILE_OK,
    GHOST_FILE_MISSING,     // no such file
    GHOST_FILE_UNREADABLE,  // cannot be opened or read, or not a regular file
    GHOST_FILE_MALFORMED,   // not a valid file of this version, or larger than any data file
    GHOST_FILE_NEWER,       // a later version of the format: left alone
};

// Parses the text; the lap is filled only when the result is GHOST_FILE_OK.
GhostFileStatus parseGhost(const std::string& text, GhostLap& lap);
std::string formatGhost(const GhostLap& lap);

// Reads the file at path whole, within the shared reader's bound, and parses it.
GhostFileStatus readGhostFile(const char* path, GhostLap& lap);
// The one line that tells the player why no ghost was loaded.
void reportGhostFile(GhostFileStatus status);
