#include "app/files/replay_file.h"

#include "app/files/player_file.h"
#include "app/files/replay_world.h"
#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

const char* const BESTLAP_REPLAY_FILE = "bestlap.replay";

namespace {

const char* const FORMAT_NAME = "vorel-replay";
constexpr std::size_t WORD_MAX = 16;
constexpr int VALUES_A_LINE = 16;
// The shortest a frame line can be (an 8-digit clock and three one-digit
// numbers, with their spaces and line end), and the shortest command ("F ").
constexpr std::size_t FRAME_MIN_BYTES = 15;
constexpr std::size_t COMMAND_MIN_BYTES = 2;
// No value of a world in play comes near this (the play clock reaches it
// after eleven days); with every frame within a lap's length of the start,
// nothing the step computes from such values leaves a float's range.
constexpr double VALUE_LIMIT = 1e9;

void appendHex(std::string& out, uint64_t bits, int digits)
{
    static const char HEX[] = "0123456789abcdef";
    for (int d = digits - 1; d >= 0; --d) {
        out += HEX[(bits >> (4 * d)) & 0xf];
    }
}

template <class T>
uint64_t bitsOf(T value)
{
    static_assert(sizeof value == 4 || sizeof value == 8, "a replay value is 32 or 64 bits");
    if constexpr (sizeof value == 4) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    } else {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }
}

template <class T>
void appendValue(std::string& out, T value, char after)
{
    appendHex(out, bitsOf(value), 2 * static_cast<int>(sizeof value));
    out += after;
}

// Exactly `digits` lower-case hex digits.
bool readHex(TextReader& reader, int digits, uint64_t& bits)
{
    std::string word;
    if (!reader.readWord(word, WORD_MAX + 1) || word.size() != static_cast<std::size_t>(digits)) {
        return false;
    }
    uint64_t value = 0;
    for (char c : word) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return false;
        }
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    bits = value;
    return true;
}

template <class T>
bool readValue(TextReader& reader, T& value)
{
    uint64_t bits = 0;
    if (!readHex(reader, 2 * static_cast<int>(sizeof value), bits)) {
        return false;
    }
    if constexpr (sizeof value == 4) {
        const uint32_t narrow = static_cast<uint32_t>(bits);
        std::memcpy(&value, &narrow, sizeof value);
    } else {
        std::memcpy(&value, &bits, sizeof value);
    }
    if constexpr (std::is_floating_point_v<T>) {
        return std::fabs(value) <= VALUE_LIMIT;
    }
    return true;
}

bool readBoundedFloat(TextReader& reader, float& value)
{
    return readValue(reader, value);
}

bool readLabel(TextReader& reader, const char* label)
{
    std::string word;
    return reader.readWord(word, WORD_MAX) && word == label;
}

struct CountVisit {
    int count = 0;
    template <class T>
    void operator()(const T&)
    {
        ++count;
    }
};

struct WriteVisit {
    std::string& out;
    int written = 0;
    template <class T>
    void operator()(const T& value)
    {
        ++written;
        appendValue(out, value, written % VALUES_A_LINE == 0 ? '\n' : ' ');
    }
};

struct ReadVisit {
    TextReader& reader;
    bool ok = true;
    template <class T>
    void operator()(T& value)
    {
        ok = ok && readValue(reader, value);
    }
};

// Counted on a world of its own each time: a file is read or written once.
int worldValueCount()
{
    CountVisit visit;
    visitReplayWorld(visit, *std::make_unique<World>());
    return visit.count;
}

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

// The integers the step uses to choose its way; every float is finite already.
bool worldInRange(const World& world)
{
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        if (world.asteroids[k].index != k) {
            return false;
        }
    }
    for (const Rocket& r : world.rockets) {
        if (!within(r.state, ROCKET_FREE, ROCKET_FADING) || !within(r.explosionActive, 0, 1) ||
            !within(r.explosionFrame, EXPLOSION_IMAGE_FIRST, EXPLOSION_IMAGE_END - 1) ||
            !within(r.trailCount, 0, TRAIL_LENGTH)) {
            return false;
        }
    }
    for (const Gate& g : world.gates) {
        if (!within(g.active, 0, 1)) {
            return false;
        }
    }
    return world.rocketCooldown <= ROCKET_COOLDOWN_MS;
}

bool readCommand(TextReader& reader, FrameInput& input)
{
    std::string kind;
    if (!reader.readWord(kind, WORD_MAX)) {
        return false;
    }
    if (kind == "F") {
        input.fire();
        return true;
    }
    if (kind == "R") {
        input.restart();
        return true;
    }
    float yaw = 0.0f;
    float pitch = 0.0f;
    if (kind != "L" || !readBoundedFloat(reader, yaw) || !readBoundedFloat(reader, pitch)) {
        return false;
    }
    input.look(yaw, pitch);
    return true;
}

bool readFrame(TextReader& reader, float previousClock, float lastClock, FrameInput& input)
{
    int count = 0;
    input.commands.clear();
    if (!readBoundedFloat(reader, input.clockMs) || !(input.clockMs >= previousClock) ||
        !(input.clockMs <= lastClock) ||
        !reader.readInt(input.thrust) || !within(input.thrust, -1, 1) || !reader.readInt(input.roll) ||
        !within(input.roll, -1, 1) || !reader.readInt(count) ||
        !within(count, 0, static_cast<int>(REPLAY_FRAME_COMMAND_MAX)) ||
        static_cast<std::size_t>(count) * COMMAND_MIN_BYTES > reader.remaining() + 1) {
        return false;
    }
    for (int c = 0; c < count; ++c) {
        if (!readCommand(reader, input)) {
            return false;
        }
    }
    return true;
}

void appendFrame(std::string& out, const FrameInput& input)
{
    appendValue(out, input.clockMs, ' ');
    out += std::to_string(input.thrust) + ' ' + std::to_string(input.roll) + ' ' +
           std::to_string(input.commands.size());
    for (const FrameCommand& command : input.commands) {
        switch (command.kind) {
        case FrameCommandKind::LOOK:
            out += " L ";
            appendValue(out, command.yaw, ' ');
            appendHex(out, bitsOf(command.pitch), 8);
            break;
        case FrameCommandKind::FIRE:
            out += " F";
            break;
        case FrameCommandKind::RESTART:
            out += " R";
            break;
        }
    }
    out += '\n';
}

// The octree is no part of the file: it is filed from the asteroids as a run
// files it at its start.
void fileAsteroids(World& world)
{
    world.octree.build(OCTREE_DEPTH);
    for (const Asteroid& asteroid : world.asteroids) {
        world.octree.insert(asteroid);
    }
    world.shown = FrameShown{};
    world.shown.camera = world.camera;
}

}  // namespace

ReplayFileStatus parseReplay(const std::string& text, LapReplay& replay)
{
    // The reader stops at a NUL byte; what follows one would go unchecked.
    if (text.find('\0') != std::string::npos) {
        return REPLAY_FILE_MALFORMED;
    }
    TextReader reader(text);
    int version = 0;
    if (!readLabel(reader, FORMAT_NAME) || !reader.readInt(version) || version < 1) {
        return REPLAY_FILE_MALFORMED;
    }
    if (version > REPLAY_FILE_VERSION) {
        return REPLAY_FILE_NEWER;
    }
    auto read = std::make_unique<LapReplay>();
    if (!readLabel(reader, "lap") || !readBoundedFloat(reader, read->lapTime) || !(read->lapTime > 0.0f) ||
        read->lapTime > REPLAY_LAP_MAX_MS) {
        return REPLAY_FILE_MALFORMED;
    }
    int values = 0;
    if (!readLabel(reader, "world") || !reader.readInt(values) || values != worldValueCount()) {
        return REPLAY_FILE_MALFORMED;
    }
    ReadVisit visit{reader};
    visitReplayWorld(visit, read->start);
    if (!visit.ok || !worldInRange(read->start)) {
        return REPLAY_FILE_MALFORMED;
    }
    int frames = 0;
    // The count is checked against its bound and against the bytes left
    // before anything is stored for it.
    if (!readLabel(reader, "frames") || !reader.readInt(frames) || frames < 1 ||
        static_cast<std::size_t>(frames) > REPLAY_FRAME_MAX ||
        static_cast<std::size_t>(frames) * FRAME_MIN_BYTES > reader.remaining() + 1) {
        return REPLAY_FILE_MALFORMED;
    }
    FrameInput input;
    float previousClock = read->start.lastFrameTime;
    const float lastClock = read->start.lastFrameTime + REPLAY_LAP_MAX_MS;
    for (int f = 0; f < frames; ++f) {
        if (!readFrame(reader, previousClock, lastClock, input)) {
            return REPLAY_FILE_MALFORMED;
        }
        read->frames.append(input);
        previousClock = input.clockMs;
    }
    if (!readLabel(reader, "end") || !readValue(reader, read->endPrint)) {
        return REPLAY_FILE_MALFORMED;
    }
    reader.skipSpace();
    if (reader.remaining() != 0) {
        return REPLAY_FILE_MALFORMED;
    }
    fileAsteroids(read->start);
    replay.start = read->start;
    replay.frames = std::move(read->frames);
    replay.lapTime = read->lapTime;
    replay.endPrint = read->endPrint;
    return REPLAY_FILE_OK;
}

std::string formatReplay(const LapReplay& replay)
{
    std::string out = std::string(FORMAT_NAME) + " " + std::to_string(REPLAY_FILE_VERSION) + "\nlap ";
    appendValue(out, replay.lapTime, '\n');
    out += "world " + std::to_string(worldValueCount()) + "\n";
    WriteVisit visit{out};
    visitReplayWorld(visit, replay.start);
    if (visit.written % VALUES_A_LINE != 0) {
        out.back() = '\n';
    }
    out += "frames " + std::to_string(replay.frames.count()) + "\n";
    std::size_t offset = 0;
    FrameInput input;
    while (replay.frames.read(offset, input)) {
        appendFrame(out, input);
    }
    out += "end ";
    appendValue(out, replay.endPrint, '\n');
    return out;
}

ReplayFileStatus readReplayFile(const char* path, LapReplay& replay)
{
    std::string text;
    switch (readWholeFile(path, text, REPLAY_FILE_MAX_BYTES)) {
    case FileReadStatus::OK:
        return parseReplay(text, replay);
    case FileReadStatus::MISSING:
        return REPLAY_FILE_MISSING;
    case FileReadStatus::NOT_REGULAR:
    case FileReadStatus::UNREADABLE:
    case FileReadStatus::READ_FAILED:
        return REPLAY_FILE_UNREADABLE;
    case FileReadStatus::TOO_LARGE:
        return REPLAY_FILE_MALFORMED;
    }
    return REPLAY_FILE_UNREADABLE;
}

void reportReplayFile(ReplayFileStatus status, const char* path)
{
    if (status == REPLAY_FILE_OK) {
        return;
    }
    const bool opened = status == REPLAY_FILE_MALFORMED || status == REPLAY_FILE_NEWER;
    std::printf("%s%s\n", opened ? "Error reading file: " : "Error opening file: ", path);
    std::fflush(stdout);
}

void saveBestLapReplay(const LapRecorder& recorder)
{
    if (!recorder.hasBest) {
        return;
    }
    auto stored = std::make_unique<LapReplay>();
    switch (readReplayFile(BESTLAP_REPLAY_FILE, *stored)) {
    case REPLAY_FILE_OK:
        if (!(recorder.best.lapTime < stored->lapTime)) {
            return;
        }
        break;
    case REPLAY_FILE_MISSING:
    case REPLAY_FILE_MALFORMED:
        break;
    case REPLAY_FILE_UNREADABLE:  // its lap may be faster: keep it
    case REPLAY_FILE_NEWER:
        return;
    }
    if (!replaceFileAtomically(BESTLAP_REPLAY_FILE, formatReplay(recorder.best))) {
        std::printf("Error opening file: %s\n", BESTLAP_REPLAY_FILE);
        std::fflush(stdout);
    }
}
