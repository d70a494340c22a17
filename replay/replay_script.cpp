#include "replay/replay_script.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

namespace {

// X11 reports pointer positions as signed 16-bit values.
constexpr int POINTER_MIN = -32768;
constexpr int POINTER_MAX = 32767;
constexpr int SPECIAL_KEY_MAX = 255;
constexpr int BUTTON_MAX = 2;
constexpr int MODIFIER_MASK_MAX = 7;
constexpr char FIRST_PRINTABLE = '!';
constexpr char LAST_PRINTABLE = '~';

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

bool parseInteger(const std::string& text, long long low, long long high, long long& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

bool parseInt(const std::string& text, int low, int high, int& value)
{
    long long wide = 0;
    if (!parseInteger(text, low, high, wide)) {
        return false;
    }
    value = static_cast<int>(wide);
    return true;
}

bool parseFrameMs(const std::string& text, float& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value > 0.0f && value <= SCRIPT_MAX_FRAME_MS;
}

bool keyEvent(const std::string& name, InputKind& kind)
{
    if (name == "key-down") {
        kind = InputKind::KeyDown;
    } else if (name == "key-up") {
        kind = InputKind::KeyUp;
    } else {
        return false;
    }
    return true;
}

bool pointerEvent(const std::string& name, InputKind& kind)
{
    if (name == "move") {
        kind = InputKind::Move;
    } else if (name == "echo") {
        kind = InputKind::Echo;
    } else if (name == "drag") {
        kind = InputKind::Drag;
    } else {
        return false;
    }
    return true;
}

// The arguments of one event line after its frame number; empty on success.
std::string parseEvent(const std::vector<std::string>& w, InputEvent& event)
{
    const std::string& name = w[1];
    const size_t args = w.size() - 2;
    if (keyEvent(name, event.kind)) {
        if (args != 1 || w[2].size() != 1 || w[2][0] < FIRST_PRINTABLE || w[2][0] > LAST_PRINTABLE) {
            return name + " takes one printable character";
        }
        event.a = static_cast<unsigned char>(w[2][0]);
        return "";
    }
    if (name == "special") {
        event.kind = InputKind::Special;
        if (args != 1 || !parseInt(w[2], 0, SPECIAL_KEY_MAX, event.a)) {
            return "special takes one key code from 0 to 255";
        }
        return "";
    }
    if (name == "button") {
        event.kind = InputKind::Button;
        if (args != 3 || !parseInt(w[2], 0, BUTTON_MAX, event.a) || (w[3] != "down" && w[3] != "up") ||
            !parseInt(w[4], 0, MODIFIER_MASK_MAX, event.c)) {
            return "button takes a button 0 to 2, down or up, and a modifier mask 0 to 7";
        }
        event.b = w[3] == "down" ? 0 : 1;
        return "";
    }
    if (pointerEvent(name, event.kind)) {
        if (args != 2 || !parseInt(w[2], POINTER_MIN, POINTER_MAX, event.a) ||
            !parseInt(w[3], POINTER_MIN, POINTER_MAX, event.b)) {
            return name + " takes a pointer position x y";
        }
        return "";
    }
    return "unknown event \"" + name + "\"";
}

// A settings line; empty on success.
std::string parseSetting(const std::vector<std::string>& w, InputScript& script, bool seen[3])
{
    const std::string& name = w[0];
    if (name == "seed") {
        long long seed = 0;
        if (seen[0] || w.size() != 2 || !parseInteger(w[1], 0, 0xFFFFFFFFLL, seed)) {
            return "seed must be given once, as a number from 0 to 4294967295";
        }
        script.seed = static_cast<uint32_t>(seed);
        seen[0] = true;
        return "";
    }
    if (name == "frames") {
        if (seen[1] || w.size() != 2 || !parseInt(w[1], 1, SCRIPT_MAX_FRAMES, script.frameCount)) {
            return "frames must be given once, as a number from 1 to 10000000";
        }
        seen[1] = true;
        return "";
    }
    if (name == "frame-ms") {
        if (seen[2] || w.size() < 2 || w.size() > 1 + SCRIPT_MAX_PATTERN) {
            return "frame-ms must be given once, with 1 to 16 durations";
        }
        for (size_t k = 1; k < w.size(); ++k) {
            float ms = 0.0f;
            if (!parseFrameMs(w[k], ms)) {
                return "frame duration \"" + w[k] + "\" is not a number above 0 and at most 1000";
            }
            script.frameMs.push_back(ms);
        }
        seen[2] = true;
        return "";
    }
    return "unknown setting \"" + name + "\"";
}

const char* eventName(InputKind kind)
{
    switch (kind) {
    case InputKind::KeyDown:
        return "key-down";
    case InputKind::KeyUp:
        return "key-up";
    case InputKind::Special:
        return "special";
    case InputKind::Button:
        return "button";
    case InputKind::Move:
        return "move";
    case InputKind::Echo:
        return "echo";
    case InputKind::Drag:
        return "drag";
    }
    return "?";
}

}  // namespace

bool parseInputScript(std::istream& in, InputScript& script, std::string& error)
{
    script = InputScript{};
    bool seen[3] = {false, false, false};
    std::string line;
    int lineNumber = 0;
    int lastFrame = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::vector<std::string> words = splitWords(line);
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        std::string problem;
        int frame = 0;
        if (parseInt(words[0], 0, SCRIPT_MAX_FRAMES, frame)) {
            InputEvent event;
            event.frame = frame;
            if (words.size() < 2) {
                problem = "an event line needs an event after its frame number";
            } else if (frame < lastFrame) {
                problem = "frame " + words[0] + " comes after frame " + std::to_string(lastFrame);
            } else {
                problem = parseEvent(words, event);
            }
            if (problem.empty()) {
                script.events.push_back(event);
                lastFrame = frame;
            }
        } else if (words[0][0] == '-' || (words[0][0] >= '0' && words[0][0] <= '9')) {
            problem = "frame number \"" + words[0] + "\" is not from 0 to 10000000";
        } else {
            problem = parseSetting(words, script, seen);
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    if (!seen[0] || !seen[1] || !seen[2]) {
        error = "the script needs seed, frames and frame-ms";
        return false;
    }
    if (!script.events.empty() && script.events.back().frame >= script.frameCount) {
        error = "an event at frame " + std::to_string(script.events.back().frame) + " lies beyond the " +
                std::to_string(script.frameCount) + " frames of the run";
        return false;
    }
    return true;
}

void writeInputScript(std::ostream& out, const InputScript& script, const std::vector<std::string>& header)
{
    for (const std::string& line : header) {
        out << "# " << line << '\n';
    }
    out << "seed " << script.seed << '\n';
    out << "frames " << script.frameCount << '\n';
    out << "frame-ms";
    for (float ms : script.frameMs) {
        char text[32];
        std::snprintf(text, sizeof text, " %.9g", static_cast<double>(ms));
        out << text;
    }
    out << '\n';
    for (const InputEvent& e : script.events) {
        out << e.frame << ' ' << eventName(e.kind);
        switch (e.kind) {
        case InputKind::KeyDown:
        case InputKind::KeyUp:
            out << ' ' << static_cast<char>(e.a);
            break;
        case InputKind::Special:
            out << ' ' << e.a;
            break;
        case InputKind::Button:
            out << ' ' << e.a << (e.b == 0 ? " down " : " up ") << e.c;
            break;
        case InputKind::Move:
        case InputKind::Echo:
        case InputKind::Drag:
            out << ' ' << e.a << ' ' << e.b;
            break;
        }
        out << '\n';
    }
}
