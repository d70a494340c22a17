// The scene's one light: a white directional light 1 over a dim global
// ambient, with the material's ambient and diffuse following the current colour.
#pragma once

// Start-up: light 1's colours, lighting and colour tracking on. Light 0 stays off.
void setupLighting();

// Each frame, right after the camera transform, so the light direction is
// fixed in world space.
void placeLight();
