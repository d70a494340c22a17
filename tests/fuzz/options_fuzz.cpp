// The options file's reader and the writer that saves the player's changes,
// on arbitrary text: writing back with no change gives the same bytes; with
// changes, reading again gives the changed values and every other value as it
// was, and every line the writer did not set (comments, blank, unknown and
// broken lines) keeps its bytes and its place.
#include "app/options_text.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const NAMES[] = {"mouse.sensitivity", "key.fire", "pad.fire", "hud.scale", "display.vsync"};
const char* const VALUES[] = {"1.5", "0", "w up", "none", "left_trigger", "mouse_right"};

std::map<std::string, std::string> lastValues(const std::string& text)
{
    std::map<std::string, std::string> values;
    for (const OptionLine& line : optionLines(text)) {
        if (!line.name.empty()) {
            values[line.name] = line.value;
        }
    }
    return values;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first bytes choose the changes, the rest is the file.
    const std::size_t changeCount = size > 0 ? data[0] % 4 : 0;
    const std::size_t head = 1 + 2 * changeCount;
    if (size < head) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + head), size - head);
    if (rewriteOptions(text, {}) != text) {
        std::abort();
    }

    const std::vector<OptionLine> lines = optionLines(text);
    std::vector<std::string> named;
    for (const OptionLine& line : lines) {
        if (!line.name.empty()) {
            named.push_back(line.name);
        }
    }
    std::vector<OptionValue> changes;
    std::map<std::string, std::string> expected = lastValues(text);
    for (std::size_t c = 0; c < changeCount; ++c) {
        const uint8_t pick = data[1 + 2 * c];
        // Even: a name the file already gives (rewritten in place); odd: one of the game's.
        const std::string name =
            pick % 2 == 0 && !named.empty() ? named[pick / 2 % named.size()] : NAMES[pick / 2 % 5];
        const std::string value = VALUES[data[2 + 2 * c] % 6];
        changes.push_back({name, value});
        expected[name] = value;
    }

    const std::string written = rewriteOptions(text, changes);
    if (lastValues(written) != expected) {
        std::abort();
    }
    // Each line that names no changed value keeps its bytes and its place
    // (a byte-order mark aside, which stays in front of the first).
    const std::vector<std::string> before = linesOf(text);
    const std::vector<std::string> after = linesOf(written);
    const char* const mark = "\xEF\xBB\xBF";
    if (after.size() < before.size() || (text.compare(0, 3, mark) == 0) != (written.compare(0, 3, mark) == 0)) {
        std::abort();
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::vector<OptionLine> one = optionLines(i == 0 ? before[0] : "\n" + before[i]);
        bool set = false;
        for (const OptionValue& change : changes) {
            set = set || (!one.empty() && one[0].name == change.name);
        }
        if (!set && before[i] != after[i]) {
            std::abort();
        }
    }
    return 0;
}
