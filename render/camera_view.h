// The camera transform every frame draws its scene in.
#pragma once

struct Camera;

// Multiplies the current matrix by the view from the camera: the eye at its
// position, looking along its view, with its up.
void lookThroughCamera(const Camera& camera);
