#include "sim/course.h"

#include "sim/camera.h"
#include "sim/frame_events.h"
#include "sim/random.h"
#include "sim/world.h"

const GatePlace courseTable[gateCount] = {
    {-220.0f, 0.0f, 0.0f},    {-200.0f, 120.0f, 10.0f}, {-145.0f, 195.0f, 20.0f}, {0.0f, 220.0f, 50.0f},
    {85.0f, 195.0f, 10.0f},   {150.0f, 50.0f, -20.0f},  {175.0f, -75.0f, -50.0f}, {150.0f, -125.0f, -80.0f},
    {75.0f, -175.0f, -120.0f}, {-100.0f, -175.0f, -60.0f}, {-175.0f, -125.0f, 0.0f},
};

namespace {

bool within(double point, float centre)
{
    const double c = centre;
    return point > c - GATE_PASS_REACH && point < c + GATE_PASS_REACH;
}

void activate(World& world, int index)
{
    Gate& gate = world.gates[index];
    gate.active = 1;
    world.camera.setTarget(gate.position.x, gate.position.y, gate.position.z);
}

}  // namespace

void gateSetUp(Gate& gate, float x, float y, float z, int active, Random& random)
{
    gate.position.x = x;
    gate.position.y = y;
    gate.position.z = z;
    const double ax = random.unit();
    const double ay = random.unit();
    const double az = random.unit();
    gate.spinAxis = Vec3{ax, ay, az};
    gate.spinRate = GATE_SPIN_RATE;
    gate.active = active;
}

void gateSpin(Gate& gate, float step)
{
    gate.spinAngle = gate.spinRate * step + gate.spinAngle;
    if (gate.spinAngle >= 360.0f) {
        gate.spinAngle -= 360.0f;
    }
}

int gateTestPass(Gate& gate, double x, double y, double z)
{
    if (gate.active != 1) {
        return 0;
    }
    if (within(x, gate.position.x) && within(y, gate.position.y) && within(z, gate.position.z)) {
        gate.active = 0;
        return 1;
    }
    return 0;
}

void advanceCourse(World& world, float nowMs, FrameEvents& events)
{
    const Vec3& craft = world.camera.position;
    int passed = -1;
    for (int i = 0; i < gateCount; ++i) {
        if (gateTestPass(world.gates[i], craft.x, craft.y, craft.z)) {
            passed = i;
            break;
        }
    }
    if (passed < 0) {
        return;
    }
    FrameEvent pass;
    pass.kind = EVENT_GATE_PASSED;
    pass.gate = passed;
    events.push(pass);

    if (passed >= gateCount - 1) {
        activate(world, 0);
        return;
    }
    if (passed == 0) {
        if (world.lapStartTime != 0.0f) {
            world.lastLapTime = nowMs - world.lapStartTime;
        }
        if (world.lastLapTime > 0.0f) {
            FrameEvent lap;
            lap.kind = EVENT_LAP_ENDED;
            lap.lapTime = world.lastLapTime;
            lap.bestLap = world.lastLapTime < world.bestLapTime;
            if (lap.bestLap) {
                world.bestLapTime = world.lastLapTime;
            }
            events.push(lap);
        }
        world.lapStartTime = nowMs;
    }
    activate(world, passed + 1);
}
