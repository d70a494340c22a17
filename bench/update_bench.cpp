// The frame update over the full field: 200 asteroids drifting and colliding,
// eleven gates, eight rockets in flight.
#include "sim/collision.h"
#include "sim/frame_events.h"
#include "sim/frame_input.h"
#include "sim/rocket.h"
#include "sim/update_frame.h"
#include "sim/world.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Eight rockets strung along the course's outside, flying slowly enough to
// stay in the arena; one that hit something or left is set flying again.
void keepRocketsFlying(World& world)
{
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        Rocket& r = world.rockets[k];
        if (r.state != ROCKET_FLYING || r.position.x > 240.0f) {
            r.state = ROCKET_FLYING;
            r.position = Vertex(-240.0f, -240.0f + 60.0f * k, 240.0f);
            r.direction = Vec3{1.0, 0.0, 0.0};
        }
    }
}

// A world is too large for the stack.
std::unique_ptr<World> benchWorld()
{
    std::unique_ptr<World> world(new World);
    setUpWorld(*world, 20240601u);
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        world->rockets[k].launch(-240.0f, -240.0f + 60.0f * k, 240.0f, 1.0f, 0.0f, 0.0f);
    }
    return world;
}

void BM_UpdateFrame(benchmark::State& state)
{
    const std::unique_ptr<World> world = benchWorld();
    FrameInput input;
    FrameEvents events;
    for (auto _ : state) {
        keepRocketsFlying(*world);
        input.clockMs += 16.5f;
        events.clear();
        updateFrame(*world, input, events);
    }
    state.SetLabel("200 asteroids, 8 rockets in flight");
}
BENCHMARK(BM_UpdateFrame)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ResolveCollisions(benchmark::State& state)
{
    const std::unique_ptr<World> world = benchWorld();
    FrameEvents events;
    for (auto _ : state) {
        keepRocketsFlying(*world);
        events.clear();
        resolveCollisions(*world, events);
    }
}
BENCHMARK(BM_ResolveCollisions)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
