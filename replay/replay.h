// Replaying recorded play headless: the world is set up from the script's
// seed, each frame's events go through the game's own input handlers, and
// each frame runs headlessFrame with the script's frame duration on a
// scripted clock. Every 100 frames a digest line fingerprints the world.
#pragma once

#include "replay/replay_script.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct FrameEvents;
struct Game;

constexpr int DIGEST_INTERVAL = 100;

// What happened in the run, counted from the frame events.
struct ReplayCounts {
    int launches = 0;       // rockets launched
    int rocketHits = 0;     // rockets exploding on asteroids
    int craftContacts = 0;  // the craft bouncing off asteroids
    int gatesPassed = 0;
    int laps = 0;           // completed laps
    float bestLapMs = 0.0f; // bestLapTime after the last frame run
};

// One run in progress, on a game of its own. It takes over the platform hooks
// and the sound output for its lifetime and gives them back at the end; only
// one may exist at a time.
class ReplaySession {
public:
    // Starts its game from script.seed; frame durations come from
    // script.frameMs.
    explicit ReplaySession(const InputScript& script);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Hands one event to the game's handlers now. An echo must answer an
    // outstanding warp; otherwise nothing happens, error says why and the
    // result is false.
    bool deliver(const InputEvent& event, std::string& error);
    // Runs the next frame; after every DIGEST_INTERVAL frames adds a digest line.
    void runFrame();

    int framesRun() const { return frame; }
    Game& game() { return *session; }
    const Game& game() const { return *session; }
    const ReplayCounts& counts() const { return tally; }
    // Digest lines so far, starting with frame 0 (the world as set up).
    const std::vector<std::string>& digest() const { return lines; }
    // Pointer warps the game asked for whose echo has not been delivered, oldest first.
    const std::vector<std::pair<int, int>>& warpsAwaitingEcho() const { return warps; }

    // Called through the platform and sound hooks.
    void warpRequested(int x, int y);
    int modifiersHeld() const { return modifiers; }
    void cuePlayed(int channel, int slot);
    void volumeSet(int channel, int volume);
    void countEvents(const FrameEvents& events);

private:
    void addDigestLine();

    std::vector<float> frameMs;
    int frame = 0;
    float now = 0.0f;
    int modifiers = 0;
    std::vector<std::pair<int, int>> warps;
    ReplayCounts tally;
    uint64_t cueHash = 0;
    std::vector<std::string> lines;
    std::unique_ptr<Game> session;
};

struct ReplayResult {
    ReplayCounts counts;
    std::vector<std::string> digest;  // header lines ("# ...") then one line per 100 frames
};

// Plays a whole script. False with error (naming the frame) when an event
// cannot be delivered.
bool playInputScript(const InputScript& script, ReplayResult& result, std::string& error);

// The digest file's header: what the lines mean, the run's settings and counts.
std::vector<std::string> digestHeader(const InputScript& script, const ReplayCounts& counts);
