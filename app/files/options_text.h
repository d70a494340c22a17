// The lines of "options.ini" as the game reads them, and the same text with
// new values written in, for saving what the player changed on screen. Knows
// nothing of what a name means (app/files/options.h applies the values), so that
// saving keeps every line the game does not understand exactly as it was.
#pragma once

#include <string>
#include <vector>

// A line that says something, without its comment and surrounding space,
// its name in lower case. A line that is not `name = value` has no name.
struct OptionLine {
    int number = 0;  // from 1
    std::string name;
    std::string value;
};

// The lines that are not blank or comment only, in order. An editor's
// byte-order mark is no part of the first line.
std::vector<OptionLine> optionLines(const std::string& text);

// A value as the file holds it: name in lower case, value as written.
struct OptionValue {
    std::string name;
    std::string value;

    bool operator==(const OptionValue& other) const { return name == other.name && value == other.value; }
};

// The text with each value set. The line that counts for a name (the last
// one giving it) gets the new value in place of the old, with its spacing and
// comment kept; a name no line gives is appended as `name = value`. Every
// other byte stays: comments, blank lines, unknown lines and their order.
std::string rewriteOptions(const std::string& text, const std::vector<OptionValue>& values);
