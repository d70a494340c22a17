#include "sim/flight.h"

float flightSpeed = 0.0f;
Vec3 flightDirection;
int lastMouseX = 400;
int lastMouseY = 300;
