// The options file's reader and the writer that saves the player's changes,
// on arbitrary text: writing back with no change gives the same bytes; with
// changes, reading again gives the changed values and every other value as it
// was, every line the writer did not set (comments, blank, unknown and
// broken lines) keeps its bytes and its place, and one it set its comment.
#include "app/files/options_text.h"

#include <algorithm>
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
    // Each line that names no changed value keeps its bytes and its place,
    // behind the byte-order mark if there was one.
    const std::size_t mark = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (written.compare(0, mark, text, 0, mark) != 0) {
        std::abort();
    }
    std::size_t at = mark;
    std::size_t to = mark;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::size_t writtenEnd = std::min(written.find('\n', to), written.size());
        const std::vector<OptionLine> one = optionLines("\n" + text.substr(at, end - at));
        bool set = false;
        for (const OptionValue& change : changes) {
            set = set || (!one.empty() && one[0].name == change.name);
        }
        if (to >= written.size() || (!set && text.compare(at, end - at, written, to, writtenEnd - to) != 0)) {
            std::abort();
        }
        // A line that was set keeps its comment.
        const std::size_t comment = std::min(text.find('#', at), end);
        const std::size_t kept = end - comment;
        if (set && (writtenEnd - to < kept || written.compare(writtenEnd - kept, kept, text, comment, kept) != 0)) {
            std::abort();
        }
        at = end + 1;
        to = writtenEnd + 1;
    }
    return 0;
}
