#include "tests/replay/pilot.h"

#include "app/loop/game.h"
#include "app/input/input.h"
#include "sim/asteroid.h"
#include "sim/world.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "tests/support/steering.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Game mode leaves the pointer in the middle of a 1024 × 768 screen.
constexpr int SCREEN_W = 1024;
constexpr int SCREEN_H = 768;
// The most the hand moves the pointer in one event, per axis.
constexpr int MAX_PIXELS_PER_EVENT = 24;
// Frames between a collision cutting thrust and the pilot pressing W again.
constexpr int REACTION_FRAMES = 12;
// Every so many frames the pilot rams an asteroid ahead within reach, for at most DETOUR_FRAMES.
constexpr int DETOUR_INTERVAL = 900;
constexpr double DETOUR_REACH = 90.0;
constexpr int DETOUR_FRAMES = 400;
constexpr double DETOUR_GATE_DISTANCE = 120.0;

// The pilot's own dice, so a recording does not depend on the library's distributions.
struct Dice {
    uint32_t state = 2463534242u;
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    bool chance(double p) { return (next() % 1000000u) < static_cast<uint32_t>(p * 1000000.0); }
    int pick(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }
};

using steering::clampInt;
using steering::fromVertex;
using steering::minus;
using steering::scaled;

class Pilot {
public:
    Pilot(ReplaySession& run, InputScript& record) : session(run), script(record) {}

    void fly()
    {
        chooseDetour();
        answerWarps();
        steer();
        throttle();
        shoot();
        fidget();
    }

private:
    const World& world() const { return session.game().world; }

    void emit(InputEvent e)
    {
        e.frame = session.framesRun();
        std::string error;
        if (!session.deliver(e, error)) {
            std::fprintf(stderr, "pilot: %s\n", error.c_str());
            std::exit(2);
        }
        script.events.push_back(e);
    }
    void key(InputKind kind, char c) { emit(InputEvent{0, kind, static_cast<unsigned char>(c), 0, 0}); }
    void pointer(InputKind kind, int x, int y) { emit(InputEvent{0, kind, x, y, 0}); }
    void button(int which, int state, int mods) { emit(InputEvent{0, InputKind::Button, which, state, mods}); }

    // X11 answers each warp with a motion event at its target on the next
    // event pass. Now and then a motion the hand made before the warp landed
    // is still queued ahead of the echoes.
    void answerWarps()
    {
        const std::vector<std::pair<int, int>> pending = session.warpsAwaitingEcho();
        if (pending.empty()) {
            return;
        }
        if (dice.chance(0.2)) {
            pointer(InputKind::Move, clampInt(pointerX + dice.pick(-6, 6), 0, SCREEN_W - 1),
                    clampInt(pointerY + dice.pick(-6, 6), 0, SCREEN_H - 1));
        }
        for (const auto& warp : pending) {
            pointer(InputKind::Echo, warp.first, warp.second);
        }
        pointerX = pending.back().first;
        pointerY = pending.back().second;
    }

    // Now and then the pilot leaves the course to ram the nearest asteroid
    // ahead, until the craft touches it or gives up.
    void chooseDetour()
    {
        const int f = session.framesRun();
        if (rammed >= 0) {
            if (session.counts().craftContacts > contactsBefore || f >= detourEnd) {
                rammed = -1;
            }
            return;
        }
        // Only on a long leg of the course, with an asteroid ahead coming closer.
        if (f < nextDetour || minus(world().camera.target, world().camera.position).length() < DETOUR_GATE_DISTANCE) {
            return;
        }
        double nearest = DETOUR_REACH;
        for (const Asteroid& a : world().asteroids) {
            const Vec3 rel = minus(fromVertex(a.position), world().camera.position);
            const double distance = rel.length();
            if (rel.dot(world().camera.view) > 0.7 * distance && rel.dot(a.direction) < 0.0 && distance < nearest) {
                nearest = distance;
                rammed = a.index;
            }
        }
        if (rammed < 0) {
            return;
        }
        nextDetour = f + DETOUR_INTERVAL;
        contactsBefore = session.counts().craftContacts;
        detourEnd = f + DETOUR_FRAMES;
    }

    // Where the craft should head: the active gate, or the asteroid being
    // rammed where it will be when the craft arrives.
    Vec3 heading() const
    {
        if (rammed < 0) {
            return minus(world().camera.target, world().camera.position);
        }
        const Asteroid& a = world().asteroids[rammed];
        const Vec3 rel = minus(fromVertex(a.position), world().camera.position);
        const double closing = world().flightSpeed > 0.2f ? world().flightSpeed : 0.2;
        Vec3 meet = rel;
        for (int k = 0; k < 2; ++k) {
            meet = vec3Add(rel, scaled(a.direction, a.speed * meet.length() / closing));
        }
        return meet;
    }

    void steer()
    {
        if (dragFrames > 0) {
            return;
        }
        const steering::PointerStep step =
            steering::pointerStepToward(world(), steering::aimAgainstDrift(world(), heading()), MAX_PIXELS_PER_EVENT);
        const int dx = step.dx;
        const int dy = step.dy;
        if (dx == 0 && dy == 0) {
            return;
        }
        pointerX = clampInt(pointerX + dx, 0, SCREEN_W - 1);
        pointerY = clampInt(pointerY + dy, 0, SCREEN_H - 1);
        pointer(InputKind::Move, pointerX, pointerY);
    }

    // Thrust towards the gate; brake when arriving fast and off line. A
    // collision cuts thrust, and the pilot presses W again after a moment.
    void throttle()
    {
        Vec3 toGate = heading();
        const double distance = toGate.length();
        toGate.normalize();
        // Where the drift would pass the gate (or the asteroid): brake when it
        // misses the opening, or heads away, so that thrust can swing the
        // craft round.
        const double along = world().flightDirection.dot(toGate);
        const double miss = distance * std::sqrt(std::fmax(0.0, 1.0 - along * along));
        const double opening = rammed < 0 ? 2.5 : 8.0;
        const bool wide = along < 0.7 || (distance < 60.0 && miss > opening);
        const int wanted = wide && world().flightSpeed > 0.15f ? -1 : 1;

        const int f = session.framesRun();
        if (wanted == 1 && heldKey == 'w' && session.game().hands.thrustInput == 0) {
            if (repressAt < 0) {
                repressAt = f + REACTION_FRAMES;
            } else if (f >= repressAt) {
                key(InputKind::KeyUp, 'w');
                key(InputKind::KeyDown, 'w');
                repressAt = -1;
            }
            return;
        }
        repressAt = -1;
        const char wantedKey = wanted == 1 ? 'w' : 's';
        if (heldKey != wantedKey || session.game().hands.thrustInput != wanted) {
            if (heldKey != 0) {
                key(InputKind::KeyUp, heldKey);
            }
            key(InputKind::KeyDown, dice.chance(0.3) ? static_cast<char>(wantedKey - 'a' + 'A') : wantedKey);
            heldKey = wantedKey;
        }
    }

    void shoot()
    {
        ++framesSinceShot;
        if (world().rocketCooldown > 0) {
            return;
        }
        const bool target = steering::asteroidInSights(world());
        if (!target && framesSinceShot < 420) {
            return;
        }
        int mods = 0;
        if (dice.chance(0.15)) {
            // Ctrl alone holds fire; the pilot notices and clicks again.
            button(MOUSE_LEFT_BUTTON, 0, MODIFIER_CTRL);
            button(MOUSE_LEFT_BUTTON, 1, MODIFIER_CTRL);
        } else if (dice.chance(0.2)) {
            mods = dice.chance(0.5) ? MODIFIER_SHIFT : MODIFIER_CTRL | MODIFIER_SHIFT;
        }
        button(MOUSE_LEFT_BUTTON, 0, mods);
        button(MOUSE_LEFT_BUTTON, 1, mods);
        framesSinceShot = 0;
    }

    // What else a player's hands do: a short roll, a look at the options or
    // the high scores, the radio volume, a drag with the right button.
    void fidget()
    {
        if (rollFrames > 0 && --rollFrames == 0) {
            key(InputKind::KeyUp, rollKey);
        } else if (rollFrames == 0 && dice.chance(0.004)) {
            rollKey = dice.chance(0.5) ? 'q' : 'e';
            rollFrames = dice.pick(5, 40);
            key(InputKind::KeyDown, rollKey);
        }
        if (dragFrames > 0) {
            pointerX = clampInt(pointerX + dice.pick(-8, 8), 0, SCREEN_W - 1);
            pointerY = clampInt(pointerY + dice.pick(-8, 8), 0, SCREEN_H - 1);
            pointer(InputKind::Drag, pointerX, pointerY);
            if (--dragFrames == 0) {
                button(2, 1, 0);
            }
        } else if (dice.chance(0.001)) {
            button(2, 0, 0);
            dragFrames = dice.pick(3, 15);
        }
        if (dice.chance(0.001)) {
            const int options[] = {KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F7, KEY_F8, KEY_F9, KEY_F10};
            emit(InputEvent{0, InputKind::Special, options[dice.pick(0, 7)], 0, 0});
        }
        if (dice.chance(0.001)) {
            const char keys[] = {'+', '-', 'h', 'H', 'i', 'o'};
            const char pressed = keys[dice.pick(0, 5)];
            key(InputKind::KeyDown, pressed);
            key(InputKind::KeyUp, pressed);
        }
    }

    ReplaySession& session;
    InputScript& script;
    Dice dice;
    int pointerX = SCREEN_W / 2;
    int pointerY = SCREEN_H / 2;
    char heldKey = 0;
    int repressAt = -1;
    int framesSinceShot = 0;
    char rollKey = 'q';
    int rollFrames = 0;
    int dragFrames = 0;
    int rammed = -1;  // the asteroid being rammed, or -1 while flying the course
    int nextDetour = DETOUR_INTERVAL;
    int detourEnd = 0;
    int contactsBefore = 0;
};

}  // namespace

void recordPilotRun(InputScript& script, ReplayResult& result, void (*atEnd)(Game&))
{
    ReplaySession session(script);
    Pilot pilot(session, script);
    for (int f = 0; f < script.frameCount; ++f) {
        pilot.fly();
        session.runFrame();
    }
    if (atEnd) {
        atEnd(session.game());
    }
    result.counts = session.counts();
    result.digest = digestHeader(script, session.counts());
    for (const std::string& line : session.digest()) {
        result.digest.push_back(line);
    }
}
