#include "replay/replay.h"

#include "app/frame_cues.h"
#include "app/input.h"
#include "render/frame_effects.h"
#include "replay/headless_frame.h"
#include "replay/world_digest.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "sim/frame_events.h"
#include "sim/platform_hooks.h"
#include "sim/random.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "sound/sound.h"

#include <cstdio>

namespace {

ReplaySession* activeSession = nullptr;
PlatformHooks savedHooks;
FrameClock savedClock = nullptr;
float scriptedNow = 0.0f;

float replayClock()
{
    return scriptedNow;
}

void warpHook(int x, int y)
{
    activeSession->warpRequested(x, y);
}

int modifiersHook()
{
    return activeSession->modifiersHeld();
}

// Escape cannot be scripted; should anything else end the game, the run
// goes on rather than ending the process.
void exitHook(int) {}

void eventHook(const FrameEvents& events)
{
    activeSession->countEvents(events);
}

struct CueTap : SoundOutput {
    void playSample(int channel, int slot) override { activeSession->cuePlayed(channel, slot); }
    void setVolume(int channel, int volume) override { activeSession->volumeSet(channel, volume); }
};
CueTap cueTap;

int activeGate()
{
    for (int g = 0; g < gateCount; ++g) {
        if (gates[g].active == 1) {
            return g;
        }
    }
    return -1;
}

std::string frameError(int frame, const std::string& what)
{
    return "frame " + std::to_string(frame) + ": " + what;
}

}  // namespace

ReplaySession::ReplaySession(const InputScript& script) : frameMs(script.frameMs)
{
    activeSession = this;
    savedHooks = platformHooks;
    savedClock = frameClock;
    platformHooks = PlatformHooks{};
    platformHooks.warpPointer = warpHook;
    platformHooks.modifiers = modifiersHook;
    platformHooks.exitProcess = exitHook;
    frameClock = replayClock;
    scriptedNow = 0.0f;
    soundSetOutput(&cueTap);
    frameEventListener = eventHook;

    resetWorld();
    randomSeed(script.seed);
    setUpWorld();
    tally.bestLapMs = bestLapTime;
    addDigestLine();
}

ReplaySession::~ReplaySession()
{
    frameEventListener = nullptr;
    soundSetOutput(nullptr);
    frameClock = savedClock;
    platformHooks = savedHooks;
    activeSession = nullptr;
}

bool ReplaySession::deliver(const InputEvent& event, std::string& error)
{
    switch (event.kind) {
    case InputKind::KeyDown:
        onKeyDown(static_cast<unsigned char>(event.a), 0, 0);
        break;
    case InputKind::KeyUp:
        onKeyUp(static_cast<unsigned char>(event.a), 0, 0);
        break;
    case InputKind::Special:
        onSpecialKey(event.a, 0, 0);
        break;
    case InputKind::Button:
        modifiers = event.c;
        onMouseButton(event.a, event.b == 0 ? MOUSE_BUTTON_DOWN : MOUSE_BUTTON_UP, 0, 0);
        break;
    case InputKind::Move:
        onMouseMove(event.a, event.b);
        break;
    case InputKind::Echo: {
        size_t k = 0;
        while (k < warps.size() && (warps[k].first != event.a || warps[k].second != event.b)) {
            ++k;
        }
        if (k == warps.size()) {
            error = "echo at (" + std::to_string(event.a) + ", " + std::to_string(event.b) +
                    ") answers no pointer warp the game asked for";
            return false;
        }
        // Warps before it whose events never came are dropped, as the toolkit may.
        warps.erase(warps.begin(), warps.begin() + static_cast<long>(k) + 1);
        onMouseMove(event.a, event.b);
        break;
    }
    case InputKind::Drag:
        onMouseDrag(event.a, event.b);
        break;
    }
    return true;
}

void ReplaySession::runFrame()
{
    now += frameMs[static_cast<size_t>(frame) % frameMs.size()];
    scriptedNow = now;
    headlessFrame();
    tally.bestLapMs = bestLapTime;
    ++frame;
    if (frame % DIGEST_INTERVAL == 0) {
        addDigestLine();
    }
}

void ReplaySession::warpRequested(int x, int y)
{
    warps.push_back({x, y});
}

void ReplaySession::cuePlayed(int channel, int slot)
{
    WorldHash h;
    h.add(cueHash);
    h.add(frame);
    h.add(channel);
    h.add(slot);
    cueHash = h.value();
}

void ReplaySession::countEvents(const FrameEvents& events)
{
    for (const FrameEvent& event : events) {
        switch (event.kind) {
        case EVENT_ROCKET_LAUNCHED:
            ++tally.launches;
            break;
        case EVENT_ROCKET_HIT:
            ++tally.rocketHits;
            break;
        case EVENT_CRAFT_CONTACT:
            ++tally.craftContacts;
            break;
        case EVENT_GATE_PASSED:
            ++tally.gatesPassed;
            break;
        case EVENT_LAP_ENDED:
            ++tally.laps;
            break;
        case EVENT_LAP_RESTARTED:
            break;
        }
    }
}

void ReplaySession::volumeSet(int channel, int volume)
{
    WorldHash h;
    h.add(cueHash);
    h.add(frame);
    h.add(-channel - 1);
    h.add(volume);
    cueHash = h.value();
}

void ReplaySession::addDigestLine()
{
    WorldHash h;
    hashWorld(h);
    h.add(cueHash);
    char line[256];
    std::snprintf(line, sizeof line, "frame %d hash %016llx pos %.2f %.2f %.2f speed %.4f gate %d laps %d", frame,
                  static_cast<unsigned long long>(h.value()), camera.position.x, camera.position.y,
                  camera.position.z, static_cast<double>(flightSpeed), activeGate(), tally.laps);
    lines.push_back(line);
}

bool playInputScript(const InputScript& script, ReplayResult& result, std::string& error)
{
    ReplaySession session(script);
    size_t next = 0;
    for (int f = 0; f < script.frameCount; ++f) {
        for (; next < script.events.size() && script.events[next].frame == f; ++next) {
            std::string problem;
            if (!session.deliver(script.events[next], problem)) {
                error = frameError(f, problem);
                return false;
            }
        }
        session.runFrame();
    }
    result.counts = session.counts();
    result.digest = digestHeader(script, session.counts());
    for (const std::string& line : session.digest()) {
        result.digest.push_back(line);
    }
    return true;
}

std::vector<std::string> digestHeader(const InputScript& script, const ReplayCounts& counts)
{
    double totalMs = 0.0;
    for (int f = 0; f < script.frameCount; ++f) {
        totalMs += script.frameDuration(f);
    }
    char settings[160];
    std::snprintf(settings, sizeof settings, "# seed %u, %d frames, %.1f s of play", script.seed, script.frameCount,
                  totalMs / 1000.0);
    char tally[256];
    std::snprintf(tally, sizeof tally,
                  "# rocket launches %d, rocket hits %d, craft contacts %d, gates passed %d, laps %d, best lap %.1f ms",
                  counts.launches, counts.rocketHits, counts.craftContacts, counts.gatesPassed, counts.laps,
                  static_cast<double>(counts.bestLapMs));
    return {"# vorel replay digest: every 100 frames \"frame <n> hash <world and cues> pos <craft x y z> speed "
            "<craft> gate <active> laps <completed>\"",
            settings, tally};
}
