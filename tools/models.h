// The models of the game.
#pragma once

#include "tools/model_writer.h"

// Triangles of the shipped asteroid: 200 are drawn every frame, and the
// budget is the smallest that still reads as the same rock in the field.
constexpr int ASTEROID_TRIANGLES = 160;

// "asteroid1.txt"; other (even) budgets for measuring them.
ModelData makeAsteroidModel(int triangleCount = ASTEROID_TRIANGLES);
ModelData makeGateModel();      // "tor.txt": a ring in the xy-plane around the z-axis
ModelData makeRocketModel();    // "rocket.txt"
ModelData makeCraftModel();     // "craft.txt": the ghost's craft
