// The frame step: the one call that advances the world by a frame.
#pragma once

struct FrameEvents;
struct FrameInput;
struct World;

// Advances everything a frame advances, in this order: the view turns,
// launches and restarts of the input, in the order they arrived; the octree
// refiled for the positions the last frame drew; the time step from the
// input's clock reading; the countdowns; the craft's thrust, roll and move
// with the arena clamp; asteroid drift; gate spin; rocket flight; the
// collision pass; the gate pass test with lap timing; then what a displayed
// frame advances: each explosion's image, each busy rocket's smoke trail, and
// the cockpit's renormalisation of the camera (what it showed before is kept
// in world.shown). Touches no graphics and plays no sound: what happened is
// appended to events.
void updateFrame(World& world, const FrameInput& input, FrameEvents& events);
