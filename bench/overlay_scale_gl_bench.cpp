// The text overlay's cost per frame at the screen's own size, every line
// shown: drawn as bitmap text (factor forced to 1) and grown by the screen's
// factor, against a frame that only clears. A binary of its own, as it needs
// a large screen:
//   xvfb-run -a -s "-screen 0 3840x2160x24" build/bench/vorel_overlay_bench
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/files/high_scores.h"
#include "app/hud/hud_scale.h"
#include "app/hud/overlay.h"
#include "app/hud/overlay_text.h"
#include "sim/rocket.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

namespace {
float benchClock()
{
    return 5000.0f;
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

void showEveryLine(Game& game)
{
    game.clockSource = benchClock;
    ensureGlWindow();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    game.view.showFps = 1;
    game.view.showHighScores = 1;
    highScoreList.reset();
    for (int i = 0; i < 11; ++i) {
        highScoreList.append("Pilot", 58000.0f + 1000.0f * static_cast<float>(i));
    }
    game.view.optionsOverlayTimer = 1500.0f;
    game.world.rocketCooldown = ROCKET_COOLDOWN_MS;
    game.view.showGhost = 1;
    game.ghost.split = -1234.0f;
    game.ghost.splitShownFrom = benchClock();
    game.ghost.hasSplit = true;
}

// range(0): -1 clears only; otherwise the overlay's forced text factor (the
// view's hudScale).
void BM_Overlay(benchmark::State& state)
{
    const auto game = std::make_unique<Game>();
    showEveryLine(*game);
    const int forced = static_cast<int>(state.range(0));
    game->view.hudScale = forced < 0 ? 0 : forced;
    const double cpuStart = processCpuMs();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (forced >= 0) {
            drawOverlay(*game, benchClock());
        }
        glFinish();
    }
    // All threads, the rasterizer's included.
    state.counters["cpu_ms"] = (processCpuMs() - cpuStart) / static_cast<double>(state.iterations());
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    state.counters["scale"] = forced < 0 ? 0 : hudScale(width, height, forced);
}
}  // namespace

BENCHMARK(BM_Overlay)->ArgName("forced")->Arg(-1)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
