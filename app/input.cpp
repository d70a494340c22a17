#include "app/input.h"

#include "app/platform.h"

void onKeyDown(unsigned char key, int, int)
{
    if (key == KEY_ESCAPE) {
        runExitSequence();
    }
}

void onKeyUp(unsigned char key, int, int)
{
    if (key == KEY_ESCAPE) {
        runExitSequence();
    }
}

void onSpecialKey(int, int, int)
{
}

void onMouseButton(int, int, int, int)
{
}

void onMouseDrag(int, int)
{
}

void onMouseMove(int, int)
{
    // Mouse-look turns the camera here once the flight model exists.
}
