// The high-score parser and writer on arbitrary bytes: after a lap is
// inserted, every entry's line reads back as exactly one name and time, and
// the unread rest of the input follows them unchanged.
#include "app/files/high_scores.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// The one game global the list needs; the course itself is not linked here.
float bestLapTime = 999999.0f;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) {
        return 0;
    }
    float lap = 0.0f;
    std::memcpy(&lap, data, sizeof lap);
    HighScoreList list;
    parseHighScores(std::string(reinterpret_cast<const char*>(data) + 4, size - 4), list);
    const int before = list.size();
    list.insert("", lap);
    if (list.size() > before + 1 || list.size() < before) {
        std::abort();
    }
    const std::string text = formatHighScores(list);
    std::size_t lineStart = 0;
    int lines = 0;
    for (const HighScoreEntry* e = list.first; e; e = e->next) {
        const std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) {
            std::abort();
        }
        HighScoreList one;
        parseHighScores(text.substr(lineStart, lineEnd - lineStart), one);
        // One name and one time, and nothing left over that a reader would
        // take for the next entry's name.
        HighScoreList two;
        parseHighScores(text.substr(lineStart, lineEnd - lineStart) + " x 1", two);
        if (one.first->name[0] == '\0' || two.size() != (one.first->time == 0.0f ? 1 : 2)) {
            std::abort();
        }
        lineStart = lineEnd + 1;
        ++lines;
    }
    // What was not read follows the entries unchanged.
    if (text.compare(lineStart, std::string::npos, list.unread) != 0 || lines != list.size()) {
        std::abort();
    }
    return 0;
}
