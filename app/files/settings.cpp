#include "app/files/settings.h"

#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <cstdio>
#include <cstring>

SettingsRead settingsRead;

namespace {

const char* const SETTINGS_FILE = "vorel.ini";

// Up to count characters of the token from position from (0-based); fewer when
// the token ends first.
std::string field(const std::string& token, std::size_t from, std::size_t count)
{
    if (token.size() <= from) {
        return std::string();
    }
    return token.substr(from, count);
}

void copyInto(char* to, std::size_t capacity, const std::string& text)
{
    const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(to, text.data(), length);
    to[length] = '\0';
}

}  // namespace

Settings parseSettings(const std::string& text)
{
    TextReader reader(text);
    std::string tokens[4];
    for (std::string& token : tokens) {
        if (!reader.readWord(token, SETTINGS_TOKEN_MAX)) {
            break;
        }
    }

    Settings settings;
    // Values are taken whole, so today's modes (1920x1080, 144 Hz) fit; a
    // value shorter than the old fixed width still ends the string, so
    // "800x600" leaves out depth and rate.
    const std::string resolution = field(tokens[0], 4, SETTINGS_TOKEN_MAX);
    settings.gameMode = resolution;
    if (resolution.size() >= 8) {
        const std::string depth = field(tokens[1], 4, SETTINGS_TOKEN_MAX);
        settings.gameMode += ':' + depth;
        if (depth.size() >= 2) {
            settings.gameMode += '@' + field(tokens[2], 3, SETTINGS_TOKEN_MAX);
        }
    }
    settings.playerName = field(tokens[3], 5, PLAYER_NAME_MAX);
    return settings;
}

void readSettings()
{
    std::string contents;
    // A folder or an unreadable file in its place counts as no file at all.
    if (readWholeFile(SETTINGS_FILE, contents) != FileReadStatus::OK) {
        std::printf("Error opening file: %s\n", SETTINGS_FILE);
        std::fflush(stdout);
        return;
    }
    const Settings settings = parseSettings(contents);
    copyInto(settingsRead.gameModeString, sizeof settingsRead.gameModeString, settings.gameMode);
    copyInto(settingsRead.playerName, sizeof settingsRead.playerName, settings.playerName);
    std::printf("%s\n%s\n%s\n", settingsRead.gameModeString, settingsRead.playerName, settingsRead.gameModeString);
    std::fflush(stdout);
}
