#include "sim/restart.h"

#include "sim/camera.h"
#include "sim/course.h"
#include "sim/frame_events.h"
#include "sim/world_state.h"

namespace {

constexpr float START_X = -200.0f;
constexpr float START_Y = -50.0f;
constexpr float START_Z = 0.0f;

}  // namespace

void placeCraftAtStart()
{
    camera.setTarget(gates[0].position.x, gates[0].position.y, gates[0].position.z);
    camera.placeAt(START_X, START_Y, START_Z);
}

void restartLap()
{
    for (int g = 0; g < gateCount; ++g) {
        gates[g].active = g == 0 ? 1 : 0;
    }
    placeCraftAtStart();
    flightSpeed = 0.0f;
    flightDirection = Vec3();
    lapStartTime = 0.0f;
    // As at the start: a gate 0 pass with no lap begun must not report the
    // last lap a second time.
    lastLapTime = 0.0f;
    rocketCooldown = 0;

    FrameEvent restarted;
    restarted.kind = EVENT_LAP_RESTARTED;
    frameEvents.push(restarted);
}
