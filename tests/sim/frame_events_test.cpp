#include "sim/camera.h"
#include "sim/collision.h"
#include "sim/course.h"
#include "sim/frame_events.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "support/sim_world.h"

#include <vector>

namespace {

class FrameEventsTest : public SimWorld {
protected:
    std::vector<FrameEventKind> kinds() const
    {
        std::vector<FrameEventKind> found;
        for (const FrameEvent& e : game.events) {
            found.push_back(e.kind);
        }
        return found;
    }
};

}  // namespace

// What a listener needs of each event: which slot, asteroid, gate or lap, in
// the order the frame produced them.
TEST_F(FrameEventsTest, EachEventNamesWhatHappenedInFrameOrder)
{
    // Launch from slot 0, then park slot 0 next to asteroid 7 and slot 1 where
    // it reaches nothing; the craft touches asteroid 12.
    world.camera.position = Vec3{0.0, 0.0, 0.0};
    world.camera.view = Vec3{0.0, 1.0, 0.0};
    launchRocket(world, game.events);
    world.rockets[0].position = Vertex(100.0f, 100.0f, 100.0f);
    world.asteroids[7].position = Vertex(105.0f, 100.0f, 100.0f);
    world.rockets[1].state = ROCKET_FLYING;
    world.rockets[1].position = Vertex(-100.0f, 100.0f, 100.0f);
    world.asteroids[12].position = Vertex(0.0f, 0.0f, 10.0f);
    resolveCollisions(world, game.events);

    ASSERT_EQ(kinds(), (std::vector<FrameEventKind>{EVENT_ROCKET_LAUNCHED, EVENT_ROCKET_HIT, EVENT_CRAFT_CONTACT}));
    EXPECT_EQ(game.events.list[0].rocket, 0);
    EXPECT_EQ(game.events.list[1].rocket, 0);
    EXPECT_EQ(game.events.list[1].asteroid, 7);
    EXPECT_EQ(game.events.list[2].asteroid, 12);

    // Gate 0 starts the clock; the next pass of gate 0 ends a best lap, a
    // slower one after it a normal lap.
    setUpWorld(world, 3);
    parkAsteroids(world);
    const float lapMs[] = {40000.0f, 45000.5f};
    for (int lap = 0; lap <= 2; ++lap) {
        for (int g = 0; g < gateCount; ++g) {
            game.events.clear();
            world.camera.position = Vec3{courseTable[g].x, courseTable[g].y, courseTable[g].z};
            frame(g == 0 && lap > 0 ? lapMs[lap - 1] - 10 * 16.5f : 16.5f);
            ASSERT_GE(game.events.count, 1) << "lap " << lap << " gate " << g;
            EXPECT_EQ(game.events.list[0].kind, EVENT_GATE_PASSED);
            EXPECT_EQ(game.events.list[0].gate, g);
            if (g != 0 || lap == 0) {
                EXPECT_EQ(game.events.count, 1);
                continue;
            }
            ASSERT_EQ(game.events.count, 2);
            const FrameEvent& end = game.events.list[1];
            EXPECT_EQ(end.kind, EVENT_LAP_ENDED);
            EXPECT_EQ(end.lapTime, world.lastLapTime);
            EXPECT_NEAR(end.lapTime, lapMs[lap - 1], 0.01f);
            EXPECT_EQ(end.bestLap, lap == 1);
        }
    }
}
