#include "sim/course.h"

#include "sim/camera.h"
#include "sim/frame_events.h"
#include "sim/random.h"
#include "sim/update_frame.h"

Gate gates[gateCount];

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

void activate(int index)
{
    Gate& gate = gates[index];
    gate.active = 1;
    camera.setTarget(gate.position.x, gate.position.y, gate.position.z);
}

}  // namespace

void gateSetUp(Gate& gate, float x, float y, float z, int active)
{
    gate.position.x = x;
    gate.position.y = y;
    gate.position.z = z;
    const double ax = randomUnit();
    const double ay = randomUnit();
    const double az = randomUnit();
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

void advanceCourse()
{
    int passed = -1;
    for (int i = 0; i < gateCount; ++i) {
        if (gateTestPass(gates[i], camera.position.x, camera.position.y, camera.position.z)) {
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
    frameEvents.push(pass);

    if (passed >= gateCount - 1) {
        activate(0);
        return;
    }
    if (passed == 0) {
        if (lapStartTime != 0.0f) {
            lastLapTime = frameClock() - lapStartTime;
        }
        if (lastLapTime > 0.0f) {
            FrameEvent lap;
            lap.kind = EVENT_LAP_ENDED;
            lap.lapTime = lastLapTime;
            lap.bestLap = lastLapTime < bestLapTime;
            if (lap.bestLap) {
                bestLapTime = lastLapTime;
            }
            frameEvents.push(lap);
        }
        lapStartTime = frameClock();
    }
    activate(passed + 1);
}
