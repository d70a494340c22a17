#include "app/files/ghost_file.h"

#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <cmath>
#include <cstdio>

const char* const GHOST_FILE = "ghost.txt";

namespace {

const char* const FORMAT_NAME = "vorel-ghost";
// The shortest a sample line can be: ten one-digit numbers and their spaces.
constexpr std::size_t SAMPLE_MIN_BYTES = 20;
constexpr float ARENA_LIMIT = 256.0f;
constexpr std::size_t WORD_MAX = 16;

bool readLabel(TextReader& reader, const char* label)
{
    std::string word;
    return reader.readWord(word, WORD_MAX) && word == label;
}

bool readFinite(TextReader& reader, float& out)
{
    return reader.readFloat(out) && std::isfinite(out);
}

bool readVec(TextReader& reader, GhostVec& v)
{
    return readFinite(reader, v.x) && readFinite(reader, v.y) && readFinite(reader, v.z);
}

bool inArena(const GhostVec& v)
{
    return std::fabs(v.x) <= ARENA_LIMIT && std::fabs(v.y) <= ARENA_LIMIT && std::fabs(v.z) <= ARENA_LIMIT;
}

// Unit within the drift of a frame's renormalisation, and never zero.
bool nearlyUnit(const GhostVec& v)
{
    const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
    return length > 0.5 && length < 1.5;
}

bool readSample(TextReader& reader, GhostSample& s)
{
    return readFinite(reader, s.time) && readVec(reader, s.position) && readVec(reader, s.view) &&
           readVec(reader, s.up) && inArena(s.position) && nearlyUnit(s.view) && nearlyUnit(s.up);
}

void appendNumber(std::string& out, float value, char after)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g%c", static_cast<double>(value), after);
    out += text;
}

void appendVec(std::string& out, const GhostVec& v, char after)
{
    appendNumber(out, v.x, ' ');
    appendNumber(out, v.y, ' ');
    appendNumber(out, v.z, after);
}

}  // namespace

GhostFileStatus parseGhost(const std::string& text, GhostLap& lap)
{
    // The reader stops at a NUL byte; what follows one would go unchecked.
    if (text.find('\0') != std::string::npos) {
        return GHOST_FILE_MALFORMED;
    }
    TextReader reader(text);
    int version = 0;
    if (!readLabel(reader, FORMAT_NAME) || !reader.readInt(version) || version < 1) {
        return GHOST_FILE_MALFORMED;
    }
    if (version > GHOST_FILE_VERSION) {
        return GHOST_FILE_NEWER;
    }
    GhostLap read;
    if (!readLabel(reader, "lap") || !readFinite(reader, read.lapTime) || !(read.lapTime > 0.0f) ||
        read.lapTime > GHOST_LAP_MAX_MS) {
        return GHOST_FILE_MALFORMED;
    }
    int gates = 0;
    if (!readLabel(reader, "gates") || !reader.readInt(gates) || gates != GHOST_GATE_TIMES) {
        return GHOST_FILE_MALFORMED;
    }
    float previous = 0.0f;
    for (int g = 0; g < gates; ++g) {
        float t = 0.0f;
        if (!readFinite(reader, t) || !(t > previous)) {
            return GHOST_FILE_MALFORMED;
        }
        read.gateTimes.push_back(t);
        previous = t;
    }
    if (read.gateTimes.back() != read.lapTime) {
        return GHOST_FILE_MALFORMED;
    }
    int count = 0;
    // The count is checked against its bound and against the bytes left
    // before anything is allocated for it.
    if (!readLabel(reader, "samples") || !reader.readInt(count) || count < 2 || count > GHOST_SAMPLE_MAX ||
        static_cast<std::size_t>(count) * SAMPLE_MIN_BYTES > reader.remaining() + 1) {
        return GHOST_FILE_MALFORMED;
    }
    read.samples.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        GhostSample s;
        if (!readSample(reader, s)) {
            return GHOST_FILE_MALFORMED;
        }
        const bool ordered = i == 0 ? s.time == 0.0f : s.time > read.samples.back().time;
        if (!ordered || s.time > read.lapTime) {
            return GHOST_FILE_MALFORMED;
        }
        read.samples.push_back(s);
    }
    reader.skipSpace();
    if (reader.remaining() != 0) {
        return GHOST_FILE_MALFORMED;
    }
    lap = std::move(read);
    return GHOST_FILE_OK;
}

std::string formatGhost(const GhostLap& lap)
{
    std::string out = std::string(FORMAT_NAME) + " " + std::to_string(GHOST_FILE_VERSION) + "\nlap ";
    appendNumber(out, lap.lapTime, '\n');
    out += "gates " + std::to_string(lap.gateTimes.size()) + "\n";
    for (size_t g = 0; g < lap.gateTimes.size(); ++g) {
        appendNumber(out, lap.gateTimes[g], g + 1 < lap.gateTimes.size() ? ' ' : '\n');
    }
    out += "samples " + std::to_string(lap.samples.size()) + "\n";
    for (const GhostSample& s : lap.samples) {
        appendNumber(out, s.time, ' ');
        appendVec(out, s.position, ' ');
        appendVec(out, s.view, ' ');
        appendVec(out, s.up, '\n');
    }
    return out;
}

GhostFileStatus readGhostFile(const char* path, GhostLap& lap)
{
    std::string text;
    switch (readWholeFile(path, text)) {
    case FileReadStatus::OK:
        return parseGhost(text, lap);
    case FileReadStatus::MISSING:
        return GHOST_FILE_MISSING;
    case FileReadStatus::NOT_REGULAR:
    case FileReadStatus::UNREADABLE:
    case FileReadStatus::READ_FAILED:
        return GHOST_FILE_UNREADABLE;
    case FileReadStatus::TOO_LARGE:
        return GHOST_FILE_MALFORMED;
    }
    return GHOST_FILE_UNREADABLE;
}

void reportGhostFile(GhostFileStatus status)
{
    if (status == GHOST_FILE_OK) {
        return;
    }
    const bool opened = status == GHOST_FILE_MALFORMED || status == GHOST_FILE_NEWER;
    std::printf("%s%s\n", opened ? "Error reading file: " : "Error opening file: ", GHOST_FILE);
    std::fflush(stdout);
}
