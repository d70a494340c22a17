// Test scaffolding for the simulation: a game of the test's own with a clean
// world, a scripted frame clock (support/scripted_clock.h), a sound recorder
// and a pointer that answers warps the way X11 does.
#pragma once

#include "app/loop/frame_cues.h"
#include "app/loop/game.h"
#include "sim/frame_events.h"
#include "sim/platform_hooks.h"
#include "sim/update_frame.h"
#include "sim/world.h"
#include "sound/sound.h"
#include "support/scripted_clock.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

struct SoundCall {
    bool play;    // true: a sample started; false: a volume change
    int channel;
    int value;    // sample slot or volume
    bool operator==(const SoundCall& o) const { return play == o.play && channel == o.channel && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& os, const SoundCall& c)
{
    return os << (c.play ? "play(" : "volume(") << c.channel << ", " << c.value << ")";
}

class SoundRecorder : public SoundOutput {
public:
    void playSample(int channel, int slot) override { calls.push_back({true, channel, slot}); }
    void setVolume(int channel, int volume) override { calls.push_back({false, channel, volume}); }
    std::vector<SoundCall> calls;
};

inline SoundCall played(int channel, int slot)
{
    return {true, channel, slot};
}
inline SoundCall volumeSet(int channel, int volume)
{
    return {false, channel, volume};
}

// Every warp is answered, once the current event has been handled, by one
// passive-motion event at its target, after any events already queued.
inline std::deque<std::pair<int, int>>& pointerQueue()
{
    static std::deque<std::pair<int, int>> queue;
    return queue;
}
inline std::vector<std::pair<int, int>>& warpLog()
{
    static std::vector<std::pair<int, int>> log;
    return log;
}
inline void recordWarp(int x, int y)
{
    warpLog().push_back({x, y});
    pointerQueue().push_back({x, y});
}

// A game on the heap (a world is too large for a test's stack), its world
// with every record at its start values and the asteroids parked.
class SimWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        scriptedTime() = 0.0f;
        game.clockSource = scriptedClock;
        savedHooks = platformHooks;
        platformHooks = PlatformHooks{};
        platformHooks.warpPointer = recordWarp;
        pointerQueue().clear();
        warpLog().clear();
        soundSetOutput(&sound);
        parkAsteroids(world);
    }

    // At rest on a grid 30 apart in the plane z = -240, away from the
    // craft, the gates and each other, so frames run without contacts.
    static void parkAsteroids(World& w)
    {
        for (int k = 0; k < ASTEROID_COUNT; ++k) {
            w.asteroids[k].position = Vertex(-210.0f + 30.0f * (k % 15), -210.0f + 30.0f * (k / 15), -240.0f);
            w.asteroids[k].direction = Vec3{};
            w.asteroids[k].speed = 0.0f;
            w.asteroids[k].index = k;
        }
    }
    void TearDown() override
    {
        soundSetOutput(nullptr);
        platformHooks = savedHooks;
    }

    // One frame step whose frame lasts ms, with the held levels of the hands
    // and the commands the handlers queued; the events stay in game.events.
    void frame(float ms)
    {
        scriptedTime() += ms;
        game.input.clockMs = scriptedTime();
        game.input.thrust = game.hands.thrustInput;
        game.input.roll = game.hands.rollInput;
        updateFrame(world, game.input, game.events);
        game.input.commands.clear();
    }

    // Rockets launched and not yet free again.
    int launched() const
    {
        int n = 0;
        for (const Rocket& r : world.rockets) {
            n += r.state != ROCKET_FREE;
        }
        return n;
    }

    // The cues the app plays for the events the core reported since the list
    // was last cleared.
    std::vector<SoundCall> cues()
    {
        SoundRecorder heard;
        soundSetOutput(&heard);
        playEventCues(game.events);
        soundSetOutput(&sound);
        return heard.calls;
    }

    std::unique_ptr<Game> owned{new Game};
    Game& game = *owned;
    World& world = game.world;
    SoundRecorder sound;
    PlatformHooks savedHooks;
};
