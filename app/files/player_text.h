// Reading a text file the player writes by hand ("options.ini",
// "gamecontrollerdb.txt"): optional, bounded, and never trusted to be text.
#pragma once

#include <cstddef>
#include <string>

// Text a player's editor writes: no control characters but line ends and
// spacing (UTF-8 is fine), and something besides white space.
bool plainText(const std::string& text);

// Fills text with the file and returns true when it is there and plain text.
// A missing file returns false and prints nothing; one that cannot be opened
// prints "Error opening file: NAME", one that is empty, binary or larger than
// maxBytes "Error reading file: NAME", on standard output.
bool readPlayerText(const char* fileName, std::size_t maxBytes, std::string& text);
