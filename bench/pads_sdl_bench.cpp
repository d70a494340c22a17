// The frame driver's read of the game controllers, once a frame: SDL's
// events, every pad's axes and buttons, and what the game makes of them.
// With no pad, with one, and with several virtual pads, each with its stick
// pushed and a trigger held, so that the turn is worked out every frame.
#include "app/loop/game.h"
#include "app/input/pads_sdl.h"
#include "sim/camera.h"
#include "support/virtual_pad_sdl.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr float FRAME_MS = 16.5f;

void BM_ReadPads(benchmark::State& state)
{
    const auto game = std::make_unique<Game>();
    Camera& camera = game->world.camera;
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
    readPads(*game, FRAME_MS);
    if (padCount() != state.range(0)) {
        state.SkipWithError("the virtual pads did not come in");
    }
    for (auto _ : state) {
        readPads(*game, FRAME_MS);
        // The look commands a frame step would use up.
        game->input.commands.clear();
    }
    for (SDL_Joystick* pad : pads) {
        pullOutVirtualPad(pad);
    }
    stopPads(game.get());
    state.SetLabel("pads: " + std::to_string(state.range(0)));
}
BENCHMARK(BM_ReadPads)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
