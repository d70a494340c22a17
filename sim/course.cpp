#include "sim/course.h"

Gate gates[gateCount];
float lapStartTime = 0.0f;
float lastLapTime = 0.0f;
float bestLapTime = NO_LAP_TIME;
