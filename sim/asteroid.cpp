#include "sim/asteroid.h"

Asteroid asteroids[ASTEROID_COUNT];
