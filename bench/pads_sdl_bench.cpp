// The frame driver's read of the game controllers, once a frame: SDL's
// events, every pad's axes and buttons, and what the game makes of them.
// With no pad, with one, and with several virtual pads, each with its stick
// pushed and a trigger held, so that the turn is worked out every frame.
#include "app/pads_sdl.h"
#include "sim/camera.h"
#include "sim/update_frame.h"
#include "support/virtual_pad_sdl.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

float frameTime = 0.0f;

float benchClock()
{
    return frameTime;
}

void BM_ReadPads(benchmark::State& state)
{
    frameClock = benchClock;
    camera.setTarget(0.0f, 0.0f, 0.0f);
    camera.placeAt(-200.0f, -50.0f, 0.0f);
    startPads();
    std::vector<SDL_Joystick*> pads;
    for (int p = 0; p < state.range(0); ++p) {
        SDL_Joystick* pad = plugInVirtualPad();
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 12000);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
        pads.push_back(pad);
    }
    readPads();
    if (padCount() != state.range(0)) {
        state.SkipWithError("the virtual pads did not come in");
    }
    for (auto _ : state) {
        frameTime += 16.5f;
        readPads();
    }
    for (SDL_Joystick* pad : pads) {
        pullOutVirtualPad(pad);
    }
    stopPads();
    state.SetLabel("pads: " + std::to_string(state.range(0)));
}
BENCHMARK(BM_ReadPads)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
