// The models of the game.
#pragma once

#include "tools/model_writer.h"

ModelData makeAsteroidModel();  // "asteroid1.txt"
ModelData makeGateModel();      // "tor.txt": a ring in the xy-plane around the z-axis
ModelData makeRocketModel();    // "rocket.txt"
ModelData makeCraftModel();     // "craft.txt": the ghost's craft
