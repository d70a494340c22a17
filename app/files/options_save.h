// Saving what the player changed on the options screen into "options.ini".
// The game writes the file only then: when the player leaves the options
// screen after a change. The player's own lines stay as they were (see
// rewriteOptions in app/files/options_text.h), and the file is replaced atomically
// through app/files/player_file.h, so a failed save leaves the previous file whole.
#pragma once

#include "app/files/options_text.h"

#include <string>
#include <vector>

// Every value the file can hold, as it would be written now: the option
// rows, then each action's key. and pad. line.
std::vector<OptionValue> currentOptionValues();

// The values of after that are not in before as they are.
std::vector<OptionValue> changedOptionValues(const std::vector<OptionValue>& before,
                                             const std::vector<OptionValue>& after);

// Writes the changes into OPTIONS_FILE. No change, or one that leaves the
// file's bytes as they are, touches nothing. Returns an empty string, or the
// message of a failed save, which it also prints as one line on standard
// error. A file that is there but cannot be read as text is never replaced:
// the player's lines in it would be lost.
std::string saveOptions(const std::vector<OptionValue>& changes);
