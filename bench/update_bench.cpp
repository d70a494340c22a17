// The frame update over the full field: 200 asteroids drifting and colliding,
// eleven gates, eight rockets in flight.
#include "sim/collision.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"

#include <benchmark/benchmark.h>

namespace {

float benchNow = 0.0f;
float benchClock()
{
    return benchNow;
}

// Eight rockets strung along the course's outside, flying slowly enough to
// stay in the arena; one that hit something or left is set flying again.
void keepRocketsFlying()
{
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        Rocket& r = rockets[k];
        if (r.state != ROCKET_FLYING || r.position.x > 240.0f) {
            r.state = ROCKET_FLYING;
            r.position = Vertex(-240.0f, -240.0f + 60.0f * k, 240.0f);
            r.direction = Vec3{1.0, 0.0, 0.0};
        }
    }
}

void setUpBenchWorld()
{
    resetWorld();
    randomSeed(20240601u);
    setUpWorld();
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        rockets[k].launch(-240.0f, -240.0f + 60.0f * k, 240.0f, 1.0f, 0.0f, 0.0f);
    }
    frameClock = benchClock;
    benchNow = 0.0f;
}

void BM_UpdateFrame(benchmark::State& state)
{
    setUpBenchWorld();
    for (auto _ : state) {
        keepRocketsFlying();
        benchNow += 16.5f;
        updateFrame();
    }
    state.SetLabel("200 asteroids, 8 rockets in flight");
}
BENCHMARK(BM_UpdateFrame)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ResolveCollisions(benchmark::State& state)
{
    setUpBenchWorld();
    for (auto _ : state) {
        keepRocketsFlying();
        resolveCollisions();
    }
}
BENCHMARK(BM_ResolveCollisions)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
