// The replay reader on arbitrary bytes: whatever it accepts writes back as
// the very text that reads it again, and flies again through the frame step
// without a fault, whatever its world holds.
#include "app/files/replay_file.h"
#include "app/race/replay_verify.h"
#include "sim/frame_events.h"
#include "sim/update_frame.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto replay = std::make_unique<LapReplay>();
    if (parseReplay(std::string(reinterpret_cast<const char*>(data), size), *replay) != REPLAY_FILE_OK) {
        return 0;
    }
    const std::string text = formatReplay(*replay);
    auto again = std::make_unique<LapReplay>();
    if (parseReplay(text, *again) != REPLAY_FILE_OK || formatReplay(*again) != text) {
        std::abort();
    }
    rerunLap(*replay);
    // A replay that does not verify may still be watched: its frames step
    // its world from wherever it starts.
    auto world = std::make_unique<World>(replay->start);
    auto events = std::make_unique<FrameEvents>();
    FrameInput input;
    std::size_t offset = 0;
    while (replay->frames.read(offset, input)) {
        events->clear();
        updateFrame(*world, input, *events);
    }
    return 0;
}
