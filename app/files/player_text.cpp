#include "app/files/player_text.h"

#include "geometry/file_read.h"

#include <cstdio>
#include <cstring>

bool plainText(const std::string& text)
{
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && !std::strchr("\t\n\r\f\v", c)) || c == 0x7F) {
            return false;
        }
    }
    return text.find_first_not_of(" \t\r\f\v\n") != std::string::npos;
}

bool readPlayerText(const char* fileName, std::size_t maxBytes, std::string& text)
{
    const FileReadStatus status = readWholeFile(fileName, text, maxBytes);
    if (status == FileReadStatus::MISSING) {
        return false;
    }
    if (status == FileReadStatus::OK && plainText(text)) {
        return true;
    }
    std::printf("%s%s\n", fileReadNotOpened(status) ? "Error opening file: " : "Error reading file: ", fileName);
    std::fflush(stdout);
    text.clear();
    return false;
}
