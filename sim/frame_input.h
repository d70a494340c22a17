// What the player asked of one frame, as data: the app's keys, mouse and pads
// fill a FrameInput between frames and the frame step consumes it. A recording
// of these records, with the world a lap started from, plays the lap again
// to the bit.
#pragma once

#include <vector>

enum class FrameCommandKind : unsigned char {
    LOOK,     // turn the view by yaw, then pitch (radians, as Camera::look)
    FIRE,     // launch a rocket if one is ready
    RESTART,  // back to the start of a lap
};

struct FrameCommand {
    FrameCommandKind kind = FrameCommandKind::LOOK;
    float yaw = 0.0f;
    float pitch = 0.0f;

    bool operator==(const FrameCommand& o) const { return kind == o.kind && yaw == o.yaw && pitch == o.pitch; }
};

struct FrameInput {
    // The frame clock's reading for this frame, milliseconds of play: the
    // time step and the lap clock both take it.
    float clockMs = 0.0f;
    // Held levels: thrust -1 brake, 0 coast, +1 accelerate; roll -1, 0, +1
    // (+1 banks to the left).
    int thrust = 0;
    int roll = 0;
    // In the order they arrived, before the frame's motion: the mouse's and
    // the stick's turns of the view, launches and restarts. A launch takes
    // the view as the turns before it left it.
    std::vector<FrameCommand> commands;

    void look(float yaw, float pitch) { commands.push_back({FrameCommandKind::LOOK, yaw, pitch}); }
    void fire() { commands.push_back({FrameCommandKind::FIRE, 0.0f, 0.0f}); }
    void restart() { commands.push_back({FrameCommandKind::RESTART, 0.0f, 0.0f}); }
};
