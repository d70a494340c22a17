// Every value of the world the frame step reads, walked in one fixed order:
// what a replay writes of its start world, reads back and fingerprints. Not
// walked: the loaded models (the step never reads them), the octree (filed
// again from the asteroids' positions) and what the last step showed.
// A value added to a record's table joins by itself; one added to World
// itself needs a line here.
#pragma once

#include "sim/world.h"

#include <type_traits>

// Calls visit with each float, double, int and uint32_t, by reference (const
// for a const world).
template <class Visit, class T>
void visitReplayValues(Visit& visit, T& value)
{
    using Plain = std::remove_const_t<T>;
    if constexpr (std::is_same_v<Plain, Vec3>) {
        visit(value.x);
        visit(value.y);
        visit(value.z);
    } else if constexpr (std::is_same_v<Plain, Vertex>) {
        visit(value.x);
        visit(value.y);
        visit(value.z);
        visit(value.u);
        visit(value.v);
        visit(value.w);
    } else if constexpr (std::is_array_v<Plain>) {
        for (auto& element : value) {
            visitReplayValues(visit, element);
        }
    } else {
        visit(value);
    }
}

#define VOREL_REPLAY_FIELD(type, name, start) visitReplayValues(visit, record.name);

template <class Visit, class W>
void visitReplayWorld(Visit& visit, W& world)
{
    {
        auto& record = world.camera;
        VOREL_CAMERA_FIELDS(VOREL_REPLAY_FIELD)
    }
    visitReplayValues(visit, world.flightSpeed);
    visitReplayValues(visit, world.flightDirection);
    for (auto& record : world.asteroids) {
        visitReplayValues(visit, record.position);
        VOREL_ASTEROID_FIELDS(VOREL_REPLAY_FIELD)
    }
    for (auto& record : world.rockets) {
        visitReplayValues(visit, record.position);
        VOREL_ROCKET_FIELDS(VOREL_REPLAY_FIELD)
    }
    for (auto& record : world.gates) {
        visitReplayValues(visit, record.position);
        VOREL_GATE_FIELDS(VOREL_REPLAY_FIELD)
    }
    visitReplayValues(visit, world.rocketCooldown);
    visitReplayValues(visit, world.lapStartTime);
    visitReplayValues(visit, world.lastLapTime);
    visitReplayValues(visit, world.bestLapTime);
    visitReplayValues(visit, world.frameElapsedMs);
    visitReplayValues(visit, world.frameStep);
    visitReplayValues(visit, world.lastFrameTime);
    visitReplayValues(visit, world.random.state);
}

#undef VOREL_REPLAY_FIELD
