// The settings parser on arbitrary bytes: the mode string and the name always
// fit their fixed buffers and hold no white space.
#include "app/files/settings.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
bool hasSpace(const std::string& s)
{
    for (char c : s) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\0') {
            return true;
        }
    }
    return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Settings settings = parseSettings(std::string(reinterpret_cast<const char*>(data), size));
    if (settings.gameMode.size() > GAME_MODE_STRING_MAX || settings.playerName.size() > PLAYER_NAME_MAX ||
        hasSpace(settings.gameMode) || hasSpace(settings.playerName)) {
        std::abort();
    }
    return 0;
}
