#include "sim/camera.h"
#include "sim/course.h"
#include "sim/random.h"
#include "support/sim_world.h"

namespace {

class Course : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        setUpWorld(world, 3);
        parkAsteroids(world);
    }

    // Puts the craft at rest on gate g's centre and runs one frame.
    void flyThrough(int g, float ms = 16.5f)
    {
        world.camera.position = Vec3{courseTable[g].x, courseTable[g].y, courseTable[g].z};
        frame(ms);
    }

    int activeGate() const
    {
        int found = -1;
        for (int g = 0; g < gateCount; ++g) {
            if (world.gates[g].active) {
                EXPECT_EQ(found, -1) << "two active gates";
                found = g;
            }
        }
        return found;
    }

    std::vector<SoundCall> gateChime() const { return {played(CHANNEL_GATE, SAMPLE_GATE), volumeSet(CHANNEL_GATE, 120)}; }
};

}  // namespace

TEST_F(Course, OnlyTheActiveGatePasses)
{
    EXPECT_EQ(activeGate(), 0);
    flyThrough(5);
    EXPECT_EQ(activeGate(), 0);
    EXPECT_TRUE(cues().empty());

    Gate& g = world.gates[5];
    EXPECT_EQ(gateTestPass(g, 150.0, 50.0, -20.0), 0);
    g.active = 1;
    EXPECT_EQ(gateTestPass(g, 150.0, 50.0, -20.0), 1);
    EXPECT_EQ(g.active, 0);
}

TEST_F(Course, PassingIsStrictlyWithinSinglePrecision3Point7OnEveryAxis)
{
    Gate g;
    g.position = Vertex(10.0f, -20.0f, 0.5f);
    const double reach = 3.700000047683716;
    const struct {
        double dx, dy, dz;
        int passes;
    } probes[] = {
        {reach, 0.0, 0.0, 0},   {-reach, 0.0, 0.0, 0}, {0.0, reach, 0.0, 0},  {0.0, 0.0, -reach, 0},
        {3.7, 0.0, 0.0, 1},     {0.0, -3.7, 0.0, 1},   {3.7, 3.7, -3.7, 1},   {3.7, 3.7, 3.8, 0},
        {0.0, 0.0, 0.0, 1},
    };
    for (const auto& p : probes) {
        g.active = 1;
        EXPECT_EQ(gateTestPass(g, 10.0 + p.dx, -20.0 + p.dy, 0.5 + p.dz), p.passes)
            << p.dx << ", " << p.dy << ", " << p.dz;
    }
}

TEST_F(Course, FirstPassOfGateZeroOnlyStartsTheClock)
{
    scriptedTime() = 5000.0f;
    flyThrough(0);
    EXPECT_EQ(world.lapStartTime, 5016.5f);
    EXPECT_EQ(world.lastLapTime, 0.0f);
    EXPECT_EQ(world.bestLapTime, NO_LAP_TIME);
    EXPECT_EQ(cues(), gateChime());
    EXPECT_EQ(activeGate(), 1);
    EXPECT_EQ(world.camera.target.x, -200.0);
    EXPECT_EQ(world.camera.target.y, 120.0);
    EXPECT_EQ(world.camera.target.z, 10.0);
}

TEST_F(Course, LapsAreTimedBestFirstAndAnEqualLapIsNormal)
{
    flyThrough(0);
    const float start = world.lapStartTime;
    for (int g = 1; g < gateCount; ++g) {
        flyThrough(g, 6000.0f);
        ASSERT_EQ(activeGate(), (g + 1) % gateCount);
    }
    // Passing gate 10 reopened gate 0 without timing anything.
    EXPECT_EQ(world.lastLapTime, 0.0f);
    EXPECT_EQ(world.camera.target.x, -220.0);

    game.events.clear();
    flyThrough(0, 60.0f);
    const float lap = scriptedTime() - start;
    EXPECT_EQ(world.lastLapTime, lap);
    EXPECT_EQ(world.bestLapTime, lap);
    std::vector<SoundCall> expected = gateChime();
    expected.push_back(played(CHANNEL_LAP, SAMPLE_BEST_LAP));
    EXPECT_EQ(cues(), expected);

    // The same lap again.
    for (int g = 1; g < gateCount; ++g) {
        flyThrough(g, 6000.0f);
    }
    game.events.clear();
    flyThrough(0, 60.0f);
    EXPECT_EQ(world.lastLapTime, lap);
    EXPECT_EQ(world.bestLapTime, lap);
    expected.back() = played(CHANNEL_LAP, SAMPLE_NORMAL_LAP);
    EXPECT_EQ(cues(), expected);

    // One millisecond faster is a new best.
    for (int g = 1; g < gateCount; ++g) {
        flyThrough(g, 6000.0f);
    }
    game.events.clear();
    flyThrough(0, 59.0f);
    EXPECT_EQ(world.bestLapTime, lap - 1.0f);
    ASSERT_FALSE(cues().empty());
    EXPECT_EQ(cues().back(), played(CHANNEL_LAP, SAMPLE_BEST_LAP));
}

TEST_F(Course, GatesSpinAndWrapOnce)
{
    Gate g;
    g.spinRate = 0.75f;
    g.spinAngle = 359.5f;
    gateSpin(g, 1.0f);
    EXPECT_EQ(g.spinAngle, 0.25f);
    g.spinAngle = 10.0f;
    gateSpin(g, 1000.0f);
    EXPECT_EQ(g.spinAngle, 400.0f);
    gateSpin(g, 0.0f);
    EXPECT_EQ(g.spinAngle, 40.0f);
}
