#include "sim/rocket.h"

Rocket rockets[ROCKET_COUNT];
