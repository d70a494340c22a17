#include "sim/world_state.h"

#include "sim/update_frame.h"

#define VOREL_WORLD_DEFINE(type, name, start) type name = start;
VOREL_WORLD_SCALARS(VOREL_WORLD_DEFINE)
#undef VOREL_WORLD_DEFINE

FrameClock frameClock = nullptr;

void resetWorldScalars()
{
#define VOREL_WORLD_RESET(type, name, start) name = start;
    VOREL_WORLD_SCALARS(VOREL_WORLD_RESET)
#undef VOREL_WORLD_RESET
}
