#include "app/race/replay_verify.h"

#include "app/race/lap_replay.h"
#include "app/files/replay_file.h"
#include "sim/frame_events.h"
#include "sim/update_frame.h"

#include <cstdio>
#include <memory>

namespace {

// What the step that passed gate 0 and began the lap leaves: the gates where
// the course puts them with gate 1 the one to pass next, the lap begun at
// that step's clock, and the craft inside gate 0.
bool isLapStart(const World& world)
{
    for (int g = 0; g < gateCount; ++g) {
        const Gate& gate = world.gates[g];
        if (gate.position.x != courseTable[g].x || gate.position.y != courseTable[g].y ||
            gate.position.z != courseTable[g].z || gate.active != (g == 1 ? 1 : 0)) {
            return false;
        }
    }
    Gate start = world.gates[0];
    start.active = 1;
    const Vec3& craft = world.camera.position;
    return world.lapStartTime > 0.0f && world.lapStartTime == world.lastFrameTime &&
           gateTestPass(start, craft.x, craft.y, craft.z) == 1;
}

const char* reason(LapCheck check)
{
    switch (check) {
    case LapCheck::MATCHES:
        return "it matches";
    case LapCheck::NOT_A_LAP_START:
        return "it does not start at the start gate";
    case LapCheck::RESTARTED:
        return "the lap is restarted";
    case LapCheck::ENDED_EARLY:
        return "the lap ends before its last frame";
    case LapCheck::NOT_ENDED:
        return "the lap does not end in its last frame";
    case LapCheck::OTHER_TIME:
        return "the lap ends at another time";
    case LapCheck::OTHER_WORLD:
        return "the lap ends in another world";
    }
    return "";
}

}  // namespace

LapRerun rerunLap(const LapReplay& replay)
{
    LapRerun rerun;
    if (!isLapStart(replay.start)) {
        rerun.check = LapCheck::NOT_A_LAP_START;
        return rerun;
    }
    auto world = std::make_unique<World>(replay.start);
    auto events = std::make_unique<FrameEvents>();
    FrameInput input;
    std::size_t offset = 0;
    std::size_t frame = 0;
    bool ended = false;
    while (replay.frames.read(offset, input)) {
        ++frame;
        events->clear();
        updateFrame(*world, input, *events);
        for (const FrameEvent& event : *events) {
            if (event.kind == EVENT_LAP_RESTARTED) {
                rerun.check = LapCheck::RESTARTED;
                return rerun;
            }
            if (event.kind == EVENT_LAP_ENDED) {
                ended = true;
                rerun.lapTime = event.lapTime;
            }
        }
        if (ended && frame < replay.frames.count()) {
            rerun.check = LapCheck::ENDED_EARLY;
            return rerun;
        }
    }
    if (!ended) {
        rerun.check = LapCheck::NOT_ENDED;
    } else if (rerun.lapTime != replay.lapTime) {
        rerun.check = LapCheck::OTHER_TIME;
    } else if (worldPrint(*world) != replay.endPrint) {
        rerun.check = LapCheck::OTHER_WORLD;
    } else {
        rerun.check = LapCheck::MATCHES;
    }
    return rerun;
}

int verifyReplayFile(const char* path)
{
    auto replay = std::make_unique<LapReplay>();
    const ReplayFileStatus status = readReplayFile(path, *replay);
    if (status != REPLAY_FILE_OK) {
        reportReplayFile(status, path);
        return 1;
    }
    const LapRerun rerun = rerunLap(*replay);
    if (rerun.check == LapCheck::MATCHES) {
        std::printf("%s: lap %.3f s\n", path, static_cast<double>(rerun.lapTime) / 1000.0);
        std::fflush(stdout);
        return 0;
    }
    std::printf("Replay does not verify: %s: %s (recorded lap %.3f s)\n", path, reason(rerun.check),
                static_cast<double>(replay->lapTime) / 1000.0);
    std::fflush(stdout);
    return 1;
}
