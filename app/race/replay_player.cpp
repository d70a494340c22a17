#include "app/race/replay_player.h"

#include "sim/update_frame.h"

namespace {

Vec3 along(const Vec3& from, const Vec3& direction, double distance)
{
    Vec3 step = direction;
    step.scale(distance);
    return vec3Add(from, step);
}

void lendModel(Model& to, const Model& from)
{
    const Vertex position = to.position;
    to = from;
    to.position = position;
}

}  // namespace

CameraPose chasePose(const Camera& craft)
{
    CameraPose pose;
    pose.eye = along(along(craft.position, craft.view, -CHASE_DISTANCE), craft.up, CHASE_HEIGHT);
    pose.center = along(craft.position, craft.view, CHASE_LOOK_AHEAD);
    pose.up = craft.up;
    return pose;
}

ReplayFileStatus ReplayPlayer::load(const char* path, const World& models)
{
    const ReplayFileStatus status = readReplayFile(path, replay);
    if (status == REPLAY_FILE_OK) {
        lendModels(replay.start, models);
        rewind();
    }
    return status;
}

void ReplayPlayer::rewind()
{
    world = replay.start;
    events.clear();
    offset = 0;
    nextFrame = 0;
    clockMs = replay.start.lastFrameTime;
    replay.frames.read(offset, next);
}

int ReplayPlayer::advance(float wallMs)
{
    if (paused || finished()) {
        return 0;
    }
    clockMs += static_cast<double>(wallMs) * speed();
    int stepped = 0;
    while (!finished() && next.clockMs <= clockMs) {
        events.clear();
        updateFrame(world, next, events);
        ++stepped;
        ++nextFrame;
        replay.frames.read(offset, next);
    }
    return stepped;
}

GhostPose ReplayPlayer::craftPose() const
{
    const Camera& shown = world.shown.camera;
    return ghostPoseOf(shown.position, shown.view, shown.up);
}

CameraPose ReplayPlayer::viewPose() const
{
    const Camera& shown = world.shown.camera;
    if (chaseCamera) {
        return chasePose(shown);
    }
    return {shown.position, along(shown.position, shown.view, 1.0), shown.up};
}

void lendModels(World& to, const World& from)
{
    for (int k = 0; k < ASTEROID_COUNT; ++k) {
        lendModel(to.asteroids[k], from.asteroids[k]);
    }
    for (int k = 0; k < ROCKET_COUNT; ++k) {
        lendModel(to.rockets[k], from.rockets[k]);
    }
    for (int k = 0; k < gateCount; ++k) {
        lendModel(to.gates[k], from.gates[k]);
    }
}
