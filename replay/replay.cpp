#include "replay/replay.h"

#include "app/loop/game.h"
#include "app/input/input.h"
#include "replay/headless_frame.h"
#include "replay/world_digest.h"
#include "sim/platform_hooks.h"
#include "sound/sound.h"

#include <cstdio>

namespace {

ReplaySession* activeSession = nullptr;
PlatformHooks savedHooks;

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

struct CueTap : SoundOutput {
    void playSample(int channel, int slot) override { activeSession->cuePlayed(channel, slot); }
    void setVolume(int channel, int volume) override { activeSession->volumeSet(channel, volume); }
};
CueTap cueTap;

int activeGate(const World& world)
{
    for (int g = 0; g < gateCount; ++g) {
        if (world.gates[g].active == 1) {
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

ReplaySession::ReplaySession(const InputScript& script) : frameMs(script.frameMs), session(new Game)
{
    activeSession = this;
    savedHooks = platformHooks;
    platformHooks = PlatformHooks{};
    platformHooks.warpPointer = warpHook;
    platformHooks.modifiers = modifiersHook;
    platformHooks.exitProcess = exitHook;
    soundSetOutput(&cueTap);

    startGame(*session, script.seed);
    session->eventListener = [this](const FrameEvents& events) { countEvents(events); };
    tally.bestLapMs = session->world.bestLapTime;
    addDigestLine();
}

ReplaySession::~ReplaySession()
{
    soundSetOutput(nullptr);
    platformHooks = savedHooks;
    activeSession = nullptr;
}

bool ReplaySession::deliver(const InputEvent& event, std::string& error)
{
    switch (event.kind) {
    case InputKind::KeyDown:
        onKeyDown(*session, static_cast<unsigned char>(event.a));
        break;
    case InputKind::KeyUp:
        onKeyUp(*session, static_cast<unsigned char>(event.a));
        break;
    case InputKind::Special:
        onSpecialKey(*session, event.a);
        break;
    case InputKind::Button:
        modifiers = event.c;
        onMouseButton(*session, event.a, event.b == 0 ? MOUSE_BUTTON_DOWN : MOUSE_BUTTON_UP);
        break;
    case InputKind::Move:
        onMouseMove(*session, event.a, event.b);
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
        onMouseMove(*session, event.a, event.b);
        break;
    }
    case InputKind::Drag:
        onMouseDrag(*session, event.a, event.b);
        break;
    }
    return true;
}

void ReplaySession::runFrame()
{
    now += frameMs[static_cast<size_t>(frame) % frameMs.size()];
    headlessFrame(*session, now);
    tally.bestLapMs = session->world.bestLapTime;
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

// The radio's volume is the player's setting, not the race's: left out.
void ReplaySession::volumeSet(int channel, int volume)
{
    if (channel == CHANNEL_RADIO) {
        return;
    }
    WorldHash h;
    h.add(cueHash);
    h.add(frame);
    h.add(-channel - 1);
    h.add(volume);
    cueHash = h.value();
}

void ReplaySession::addDigestLine()
{
    const World& world = session->world;
    WorldHash h;
    hashWorld(h, world);
    h.add(cueHash);
    char line[256];
    std::snprintf(line, sizeof line, "frame %d hash %016llx pos %.2f %.2f %.2f speed %.4f gate %d laps %d", frame,
                  static_cast<unsigned long long>(h.value()), world.camera.position.x, world.camera.position.y,
                  world.camera.position.z, static_cast<double>(world.flightSpeed), activeGate(world), tally.laps);
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
