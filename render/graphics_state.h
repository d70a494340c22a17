// The graphics state that start-up sets once and every frame relies on.
#pragma once

// The scene's light (render/lighting.h), perspective-correct smooth shading,
// depth testing and texturing on. Needs a current GL context.
void setupFixedGraphicsState();
