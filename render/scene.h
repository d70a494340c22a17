// The 3D scene of a frame, drawn from a world that it cannot change: the
// narrow interface between the race and the renderer. The app hands it the
// world, its view settings and what it adds of its own (the ghost).
#pragma once

#include "render/view_settings.h"
#include "sim/ghost.h"

struct Model;
struct World;

// The ghost craft to draw this frame, if any.
struct SceneGhost {
    const Model* craft = nullptr;  // null: no ghost this frame
    GhostPose pose;
};

// Inside one camera transform, the camera the frame shows: backdrop, gates,
// octree boxes (O), course line (I), flying rockets, asteroids (directly,
// through display lists, or through the octree cubes in view), the ghost,
// then for each rocket its explosion and smoke trail, and the cockpit with
// its radar. Sets the frame's polygon mode and face culling first; needs the
// modelview matrix current and cleared buffers.
void drawScene(const World& world, const ViewSettings& view, const SceneGhost& ghost);
