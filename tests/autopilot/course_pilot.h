// The autopilot's hands: a scripted player that flies the course fast. It
// turns the view with pointer motion through the game's own mouse handler,
// holds thrust with the W key (pressing it again when an asteroid knocked it
// off) and clicks to fire at asteroids in its path. GL-free: the caller runs
// the frames and hands pointer warps back through pointerWarped.
#pragma once

class CoursePilot {
public:
    // The pilot's inputs before one frame.
    void act(int frame);

    // The game moved the pointer (mouse-look band): the hand feels it.
    void pointerWarped(int x, int y);

    int shotsFired() const { return shots; }
    int thrustRepresses() const { return represses; }

private:
    void steer();
    void throttle(int frame);
    void shoot();
    bool circlingGate();

    int pointerX = 400;  // where the game expects the pointer before its first motion event
    int pointerY = 300;
    char heldKey = 0;  // 'w' or 's' while held
    bool braking = false;
    int gateSought = -1;
    float soughtSince = 0.0f;  // frame clock ms when gateSought became active
    int repressAt = -1;
    int shots = 0;
    int represses = 0;
};

// The gate the course expects next, or -1 when none is active.
int activeGate();
