#include "app/race/lap_replay.h"

#include "app/files/replay_world.h"
#include "sim/frame_events.h"

#include <cstring>
#include <utility>

namespace {

constexpr unsigned COUNT_FOLLOWS = 15;

template <class T>
void put(std::vector<unsigned char>& data, T value)
{
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    data.insert(data.end(), bytes, bytes + sizeof value);
}

template <class T>
T take(const std::vector<unsigned char>& data, std::size_t& offset)
{
    T value;
    std::memcpy(&value, data.data() + offset, sizeof value);
    offset += sizeof value;
    return value;
}

struct PrintVisit {
    uint64_t state = 14695981039346656037ull;

    template <class T>
    void operator()(const T& value)
    {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes) {
            state = (state ^ b) * 1099511628211ull;
        }
    }
};

}  // namespace

void ReplayFrames::append(const FrameInput& input)
{
    put(data, input.clockMs);
    const std::size_t commands = input.commands.size();
    const unsigned levels = static_cast<unsigned>((input.thrust + 1) * 3 + input.roll + 1);
    const unsigned count = commands < COUNT_FOLLOWS ? static_cast<unsigned>(commands) : COUNT_FOLLOWS;
    data.push_back(static_cast<unsigned char>(levels | count << 4));
    if (count == COUNT_FOLLOWS) {
        put(data, static_cast<uint32_t>(commands));
    }
    for (const FrameCommand& command : input.commands) {
        data.push_back(static_cast<unsigned char>(command.kind));
        if (command.kind == FrameCommandKind::LOOK) {
            put(data, command.yaw);
            put(data, command.pitch);
        }
    }
    ++frames;
}

bool ReplayFrames::read(std::size_t& offset, FrameInput& input) const
{
    if (offset >= data.size()) {
        return false;
    }
    input.clockMs = take<float>(data, offset);
    const unsigned head = data[offset++];
    const unsigned levels = head & 0x0f;
    input.thrust = static_cast<int>(levels / 3) - 1;
    input.roll = static_cast<int>(levels % 3) - 1;
    std::size_t count = head >> 4;
    if (count == COUNT_FOLLOWS) {
        count = take<uint32_t>(data, offset);
    }
    input.commands.clear();
    for (std::size_t c = 0; c < count; ++c) {
        FrameCommand command;
        command.kind = static_cast<FrameCommandKind>(data[offset++]);
        if (command.kind == FrameCommandKind::LOOK) {
            command.yaw = take<float>(data, offset);
            command.pitch = take<float>(data, offset);
        }
        input.commands.push_back(command);
    }
    return true;
}

void ReplayFrames::clear()
{
    data.clear();
    frames = 0;
}

uint64_t worldPrint(const World& world)
{
    PrintVisit visit;
    visitReplayWorld(visit, world);
    return visit.state;
}

void LapRecorder::onStep(const World& world, const FrameInput& input, const FrameEvents& events)
{
    if (recording) {
        if (running.frames.count() >= REPLAY_FRAME_MAX || input.commands.size() > REPLAY_FRAME_COMMAND_MAX ||
            input.clockMs < lastClockMs) {
            recording = false;
        } else {
            running.frames.append(input);
            lastClockMs = input.clockMs;
        }
    }
    bool lapBegan = false;
    for (const FrameEvent& event : events) {
        switch (event.kind) {
        case EVENT_LAP_RESTARTED:
            recording = false;
            break;
        case EVENT_LAP_ENDED:
            if (recording && event.lapTime <= REPLAY_LAP_MAX_MS && (!hasBest || event.lapTime < best.lapTime)) {
                running.lapTime = event.lapTime;
                running.endPrint = worldPrint(world);
                // The lap just run becomes the best; the old best's storage
                // is reused for the next lap.
                std::swap(running, best);
                hasBest = true;
            }
            recording = false;
            break;
        case EVENT_GATE_PASSED:
            lapBegan = lapBegan || event.gate == 0;
            break;
        default:
            break;
        }
    }
    // The step that passed gate 0 set lapStartTime to its clock: the next
    // lap runs from the world as this step left it.
    if (lapBegan && world.lapStartTime != 0.0f) {
        running.start = world;
        running.frames.clear();
        running.lapTime = 0.0f;
        running.endPrint = 0;
        lastClockMs = world.lastFrameTime;
        recording = true;
    }
}

void LapRecorder::reset()
{
    running.frames.clear();
    best.frames.clear();
    recording = false;
    hasBest = false;
}
