// A lap kept as a replay: the world as the lap began and every frame's input
// to its end. The frame step reproduces the world to the bit from the same
// world and the same inputs, so stepping a copy of the start world through
// the frames flies the lap again: to watch it, or to prove its time.
#pragma once

#include "sim/frame_input.h"
#include "sim/world.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct FrameEvents;

// The longest lap (ten minutes), the most frames one lap may hold (that lap
// at a thousand frames a second) and the most commands one frame may hold: a
// lap beyond any of them, or whose clock runs back, is not kept, so every
// lap kept can be written and read back.
constexpr float REPLAY_LAP_MAX_MS = 600000.0f;
constexpr std::size_t REPLAY_FRAME_MAX = 600000;
constexpr std::size_t REPLAY_FRAME_COMMAND_MAX = 4096;

// The frames' inputs packed as bytes, about 14 for a frame with one turn of
// the view and 5 for one without: a recording runs beside every lap.
// Per frame: the clock reading's float bits (4 bytes); one byte holding
// thrust and roll (low nibble, (thrust + 1) * 3 + roll + 1) and the command
// count (high nibble, 15 meaning that a 4-byte count follows); then each
// command's kind byte, a turn followed by its yaw and pitch bits.
class ReplayFrames {
public:
    void append(const FrameInput& input);
    // Reads the frame at offset into input and moves offset past it; false at the end.
    bool read(std::size_t& offset, FrameInput& input) const;
    std::size_t count() const { return frames; }
    std::size_t bytes() const { return data.size(); }
    void clear();

private:
    std::vector<unsigned char> data;
    std::size_t frames = 0;
};

struct LapReplay {
    // The world right after the step that passed gate 0 and began the lap.
    World start;
    // Every input stepped from there, the last one being the step that ended the lap.
    ReplayFrames frames;
    float lapTime = 0.0f;
    // worldPrint of the world after the last frame.
    uint64_t endPrint = 0;
};

// A 64-bit fingerprint (FNV-1a) of the bits of every value a replay holds of
// the world: tells two re-simulations apart even where their lap times agree.
uint64_t worldPrint(const World& world);

// Follows every frame step of the game and keeps the run's fastest lap. A
// restart drops the lap in progress; a lap beyond the bounds above is not kept.
struct LapRecorder {
    LapReplay running;
    bool recording = false;
    LapReplay best;
    bool hasBest = false;
    float lastClockMs = 0.0f;  // the last frame recorded

    // After each step, with the world it left, the input it consumed and the
    // events it reported.
    void onStep(const World& world, const FrameInput& input, const FrameEvents& events);
    void reset();
};
