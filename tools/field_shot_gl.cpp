// The view into the asteroid field that the frame benchmark measures as
// `field` (from the start position towards the middle, nearly all 200
// asteroids in sight), rendered by the real frame from the benchmark's seed,
// for comparing asteroid models in docs/.
//
//   vorel_field_shot DATA_DIR OUT.png
#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/game.h"
#include "sim/camera.h"
#include "tools/frame_shot_gl.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// As bench/frame_gl_bench.cpp: its seed and its `field` view.
constexpr uint32_t BENCH_SEED = 20240607u;
constexpr float FIELD_EYE[3] = {-200.0f, -50.0f, 0.0f};
constexpr float FIELD_LOOK_AT[3] = {0.0f, 0.0f, 0.0f};
constexpr int WARM_UP_FRAMES = 5;

}  // namespace

int main(int argc, char** argv)
{
    std::string out;
    const auto game = std::make_unique<Game>();
    const int opened = openShot(*game, argc, argv, out, BENCH_SEED);
    if (opened != 0) {
        return opened;
    }
    Camera& camera = game->world.camera;
    const Vec3 activeGate = camera.target;
    camera.setTarget(FIELD_LOOK_AT[0], FIELD_LOOK_AT[1], FIELD_LOOK_AT[2]);
    camera.placeAt(FIELD_EYE[0], FIELD_EYE[1], FIELD_EYE[2]);
    camera.target = activeGate;
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
        shotNow += SHOT_FRAME_MS;
        displayFrame(*game);
    }
    return finishShot(out);
}
