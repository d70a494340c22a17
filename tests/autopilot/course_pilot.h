// The autopilot's pilot: a scripted player that flies the course fast. It
// aims the view at the active gate past drifting asteroids, holds thrust
// (pressing it again when an asteroid knocked it off) and fires at asteroids
// in its path, through a pair of hands: the mouse and keys, or a pad. GL-free:
// the caller runs the frames.
#pragma once

#include "sim/vec3.h"

struct Game;
struct World;

enum class Throttle : char { NONE, THRUST, BRAKE };

// How the pilot's wishes reach the game, before each frame.
class PilotHands {
public:
    // A new frame begins: what the hands did last frame has been seen.
    virtual void nextFrame() {}
    // Turns the view toward aim (a direction from the craft).
    virtual void turnToward(const Vec3& aim) = 0;
    virtual void hold(Throttle throttle) = 0;
    virtual void letGo(Throttle throttle) = 0;
    virtual void fire() = 0;

protected:
    ~PilotHands() = default;
};

// The mouse and keys: pointer motion through the game's mouse handler, W and
// S, and a click of the left button.
class MouseAndKeys : public PilotHands {
public:
    explicit MouseAndKeys(Game& game) : game(game) {}

    void turnToward(const Vec3& aim) override;
    void hold(Throttle throttle) override;
    void letGo(Throttle throttle) override;
    void fire() override;

    // The game moved the pointer (mouse-look band): the hand feels it.
    void pointerWarped(int x, int y);

private:
    Game& game;
    int pointerX = 400;  // where the game expects the pointer before its first motion event
    int pointerY = 300;
};

class CoursePilot {
public:
    CoursePilot(const Game& game, PilotHands& hands) : game(game), hands(hands) {}

    // The pilot's inputs before one frame.
    void act(int frame);

    int shotsFired() const { return shots; }
    int thrustRepresses() const { return represses; }

private:
    void steer();
    void throttle(int frame);
    void shoot();
    bool circlingGate();

    const Game& game;
    PilotHands& hands;
    Throttle held = Throttle::NONE;
    bool braking = false;
    int gateSought = -1;
    float soughtSince = 0.0f;  // play clock ms when gateSought became active
    int repressAt = -1;
    int shots = 0;
    int represses = 0;
};

// The gate the course expects next, or -1 when none is active.
int activeGate(const World& world);
