// The ghost file parser on arbitrary bytes: whatever it accepts is a lap the
// race can fly, and it writes back as the very text that reads it again.
#include "app/files/ghost_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GhostLap lap;
    if (parseGhost(std::string(reinterpret_cast<const char*>(data), size), lap) != GHOST_FILE_OK) {
        return 0;
    }
    GhostPose pose;
    if (!lap.complete() || !lap.poseAt(0.0f, pose) || !lap.poseAt(lap.lapTime, pose) ||
        lap.gateTimes.back() != lap.lapTime) {
        std::abort();
    }
    const std::string text = formatGhost(lap);
    GhostLap again;
    if (parseGhost(text, again) != GHOST_FILE_OK || formatGhost(again) != text) {
        std::abort();
    }
    return 0;
}
