// Replays of laps: what recording costs the frame loop, in time and in
// memory, and how long `vorel --verify` takes to fly a minute's lap again.
// Targets: at most 0.05 ms a frame and 1 MB a minute of recording; a 60 s
// lap verified in under 1 s.
#include "app/race/lap_replay.h"
#include "app/files/replay_file.h"
#include "app/race/replay_verify.h"
#include "sim/frame_events.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double MINUTE_MS = 60000.0;

// What the loop hands the recorder in a frame of play: thrust held and one
// turn of the view by the mouse.
FrameInput playedFrame(double clockMs, int frame)
{
    FrameInput input;
    input.clockMs = static_cast<float>(clockMs);
    input.thrust = 1;
    input.roll = frame % 7 == 0 ? -1 : 0;
    input.look(1e-3f * static_cast<float>(frame % 13), -2e-3f);
    return input;
}

// The world as the step that passes gate 0 leaves it at clockMs: the lap
// just begun, the craft inside gate 0, gate 1 next.
std::unique_ptr<World> lapStartWorld(float clockMs)
{
    auto world = std::make_unique<World>();
    setUpWorld(*world, 20240611);
    world->gates[0].active = 0;
    world->gates[1].active = 1;
    world->camera.position = Vec3{world->gates[0].position.x, world->gates[0].position.y, world->gates[0].position.z};
    world->lapStartTime = clockMs;
    world->lastFrameTime = clockMs;
    return world;
}

// One minute of play at range(0) frames a second, recorded as the loop
// records it: the lap's start kept, every frame appended, the lap's end
// fingerprinted and kept as the best.
void BM_RecordMinuteOfLap(benchmark::State& state)
{
    const double frameMs = 1000.0 / static_cast<double>(state.range(0));
    const int frames = static_cast<int>(MINUTE_MS / frameMs);
    const std::unique_ptr<World> world = lapStartWorld(1000.0f);
    auto events = std::make_unique<FrameEvents>();
    FrameEvent gate0;
    gate0.kind = EVENT_GATE_PASSED;
    gate0.gate = 0;
    FrameEvent lap;
    lap.kind = EVENT_LAP_ENDED;
    std::vector<FrameInput> inputs;
    for (int f = 0; f < frames; ++f) {
        inputs.push_back(playedFrame(1000.0 + (f + 1) * frameMs, f));
    }
    auto recorder = std::make_unique<LapRecorder>();
    std::size_t bytes = 0;
    for (auto _ : state) {
        recorder->reset();
        events->clear();
        events->push(gate0);
        recorder->onStep(*world, inputs[0], *events);
        events->clear();
        for (int f = 0; f < frames - 1; ++f) {
            recorder->onStep(*world, inputs[static_cast<std::size_t>(f)], *events);
        }
        lap.lapTime = static_cast<float>(MINUTE_MS);
        events->push(gate0);
        events->push(lap);
        recorder->onStep(*world, inputs.back(), *events);
        bytes = recorder->best.frames.bytes();
        benchmark::DoNotOptimize(recorder->best.endPrint);
    }
    // Seconds per million frames: microseconds a frame (the target is 50).
    state.counters["us_per_frame"] =
        benchmark::Counter(static_cast<double>(frames) * static_cast<double>(state.iterations()) / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["MB_per_minute"] = static_cast<double>(bytes) / 1e6;
    state.counters["start_world_MB"] = static_cast<double>(sizeof(World)) / 1e6;
    state.SetLabel(std::to_string(state.range(0)) + " frames a second");
}
BENCHMARK(BM_RecordMinuteOfLap)->Arg(60)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// `vorel --verify` on a 60 s lap at range(0) frames a second: the file read
// from text and every frame stepped again from the start world.
void BM_VerifyMinuteLap(benchmark::State& state)
{
    const double frameMs = 1000.0 / static_cast<double>(state.range(0));
    const int frames = static_cast<int>(MINUTE_MS / frameMs);
    auto replay = std::make_unique<LapReplay>();
    replay->start = *lapStartWorld(1000.0f);
    for (int f = 0; f < frames; ++f) {
        replay->frames.append(playedFrame(1000.0 + (f + 1) * frameMs, f));
    }
    replay->lapTime = static_cast<float>(MINUTE_MS);
    const std::string text = formatReplay(*replay);
    auto read = std::make_unique<LapReplay>();
    for (auto _ : state) {
        if (parseReplay(text, *read) != REPLAY_FILE_OK) {
            state.SkipWithError("the lap's file does not read back");
            break;
        }
        // The lap does not end at the gate, so every frame is stepped and
        // the verdict comes after the last, as for a lap that matches.
        benchmark::DoNotOptimize(rerunLap(*read).check);
    }
    state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
    state.SetLabel(std::to_string(frames) + " frames");
}
BENCHMARK(BM_VerifyMinuteLap)->Arg(60)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
