#include "app/files/options_text.h"

namespace {

const char* const SPACE = " \t\r\f\v";
const char* const BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Where one line's parts lie, as offsets into the line.
struct LineParts {
    bool blank = true;     // nothing but space and comment
    bool named = false;    // a line of name = value
    std::string name;
    std::size_t equals = 0;
    std::size_t valueBegin = 0;  // the value is [valueBegin, valueEnd)
    std::size_t valueEnd = 0;
};

std::string lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

LineParts partsOf(const std::string& line)
{
    LineParts parts;
    const std::size_t content = line.find('#') == std::string::npos ? line.size() : line.find('#');
    const std::size_t first = line.find_first_not_of(SPACE);
    if (first == std::string::npos || first >= content) {
        return parts;
    }
    parts.blank = false;
    const std::size_t equals = line.find('=');
    if (equals >= content) {
        return parts;
    }
    const std::size_t nameEnd = line.find_last_not_of(SPACE, equals == 0 ? std::string::npos : equals - 1);
    if (equals == 0 || nameEnd == std::string::npos || nameEnd < first) {
        return parts;
    }
    parts.named = true;
    parts.name = lower(line.substr(first, nameEnd + 1 - first));
    parts.equals = equals;
    const std::size_t valueBegin = line.find_first_not_of(SPACE, equals + 1);
    if (valueBegin == std::string::npos || valueBegin >= content) {
        parts.valueBegin = parts.valueEnd = equals + 1;
    } else {
        parts.valueBegin = valueBegin;
        parts.valueEnd = line.find_last_not_of(SPACE, content - 1) + 1;
    }
    return parts;
}

// The text's lines without their line ends; the first without a byte-order mark.
std::vector<std::string> splitLines(const std::string& text, std::size_t start)
{
    std::vector<std::string> lines;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::size_t bodyStart(const std::string& text)
{
    return text.compare(0, 3, BYTE_ORDER_MARK) == 0 ? 3 : 0;
}

}  // namespace

std::vector<OptionLine> optionLines(const std::string& text)
{
    std::vector<OptionLine> result;
    const std::vector<std::string> lines = splitLines(text, bodyStart(text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineParts parts = partsOf(lines[i]);
        if (parts.blank) {
            continue;
        }
        OptionLine line;
        line.number = static_cast<int>(i) + 1;
        if (parts.named) {
            line.name = parts.name;
            line.value = lines[i].substr(parts.valueBegin, parts.valueEnd - parts.valueBegin);
        }
        result.push_back(line);
    }
    return result;
}

std::string rewriteOptions(const std::string& text, const std::vector<OptionValue>& values)
{
    const std::size_t start = bodyStart(text);
    std::vector<std::string> lines = splitLines(text, start);
    std::string appended;
    for (const OptionValue& value : values) {
        std::size_t last = lines.size();
        LineParts lastParts;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LineParts parts = partsOf(lines[i]);
            if (parts.named && parts.name == value.name) {
                last = i;
                lastParts = parts;
            }
        }
        if (last == lines.size()) {
            appended += value.name + " = " + value.value + "\n";
            continue;
        }
        std::string& line = lines[last];
        if (lastParts.valueBegin == lastParts.valueEnd) {
            line.insert(lastParts.equals + 1, " " + value.value);
        } else {
            line.replace(lastParts.valueBegin, lastParts.valueEnd - lastParts.valueBegin, value.value);
        }
    }
    std::string out = text.substr(0, start);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        // The last line keeps its missing line end, unless lines follow it.
        if (i + 1 < lines.size() || text.back() == '\n' || !appended.empty()) {
            out += '\n';
        }
    }
    return out + appended;
}
