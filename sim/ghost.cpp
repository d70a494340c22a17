#include "sim/ghost.h"

#include <algorithm>

namespace {

GhostVec stored(const Vec3& v)
{
    return GhostVec{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

Vec3 widened(const GhostVec& v)
{
    return Vec3{v.x, v.y, v.z};
}

Vec3 blend(const GhostVec& a, const GhostVec& b, double f)
{
    return Vec3{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f};
}

GhostSample sampleAt(float time, const GhostPose& camera)
{
    GhostSample s;
    s.time = time;
    s.position = stored(camera.position);
    s.view = stored(camera.view);
    s.up = stored(camera.up);
    return s;
}

}  // namespace

GhostPose ghostPoseOf(const Vec3& position, const Vec3& view, const Vec3& up)
{
    return GhostPose{position, view, up};
}

int ghostGateOrdinal(int gate)
{
    return gate == 0 ? GHOST_GATE_TIMES - 1 : gate - 1;
}

bool GhostLap::complete() const
{
    return lapTime > 0.0f && static_cast<int>(gateTimes.size()) == GHOST_GATE_TIMES && samples.size() >= 2;
}

bool GhostLap::poseAt(float lapMs, GhostPose& pose) const
{
    if (!complete() || !(lapMs >= 0.0f) || lapMs > lapTime) {
        return false;
    }
    // The first sample later than lapMs; the pose lies between it and the one before.
    const auto later = std::upper_bound(samples.begin(), samples.end(), lapMs,
                                        [](float t, const GhostSample& s) { return t < s.time; });
    if (later == samples.begin() || later == samples.end()) {
        const GhostSample& only = later == samples.begin() ? samples.front() : samples.back();
        pose = GhostPose{widened(only.position), widened(only.view), widened(only.up)};
    } else {
        const GhostSample& a = *(later - 1);
        const GhostSample& b = *later;
        const double f = (static_cast<double>(lapMs) - a.time) / (static_cast<double>(b.time) - a.time);
        pose.position = blend(a.position, b.position, f);
        pose.view = blend(a.view, b.view, f);
        pose.up = blend(a.up, b.up, f);
    }
    pose.view.normalize();
    pose.up.normalize();
    return true;
}

float GhostLap::splitAt(int ordinal, float lapMs) const
{
    return lapMs - gateTimes[static_cast<size_t>(ordinal)];
}

void GhostRecorder::reset()
{
    *this = GhostRecorder{};
}

void GhostRecorder::gatePassed(int gate, float nowMs, float lapStartMs, const GhostPose& camera)
{
    if (gate != 0) {
        if (recording) {
            running.gateTimes.push_back(nowMs - runningStart);
        }
        return;
    }
    closingValid = recording;
    if (recording) {
        std::swap(closing, running);
    }
    running = GhostLap{};
    running.samples.reserve(4096);
    running.samples.push_back(sampleAt(0.0f, camera));
    runningStart = lapStartMs;
    recording = true;
}

bool GhostRecorder::lapEnded(float lapMs, const GhostPose& camera, GhostLap& out)
{
    if (!closingValid) {
        return false;
    }
    closingValid = false;
    GhostLap& lap = closing;
    if (static_cast<int>(lap.gateTimes.size()) != GHOST_GATE_TIMES - 1 || lapMs > GHOST_LAP_MAX_MS) {
        return false;
    }
    // The closing sample is the pass itself; a sample taken at the same
    // moment or later cannot exist, but drop one rather than go backwards.
    while (!lap.samples.empty() && lap.samples.back().time >= lapMs) {
        lap.samples.pop_back();
    }
    lap.lapTime = lapMs;
    lap.gateTimes.push_back(lapMs);
    lap.samples.push_back(sampleAt(lapMs, camera));
    if (!lap.complete()) {
        return false;
    }
    out = lap;
    return true;
}

void GhostRecorder::sample(float nowMs, const GhostPose& camera)
{
    if (!recording) {
        return;
    }
    const float t = nowMs - runningStart;
    if (t < running.samples.back().time + GHOST_SAMPLE_SPACING_MS) {
        return;
    }
    // The closing sample still has to fit; a lap beyond the cap is not kept.
    if (t > GHOST_LAP_MAX_MS || static_cast<int>(running.samples.size()) >= GHOST_SAMPLE_MAX - 1) {
        recording = false;
        running = GhostLap{};
        return;
    }
    running.samples.push_back(sampleAt(t, camera));
}
