#include "app/frame_state.h"

#include "app/timer.h"

float frameElapsedMs = 0.0f;
float frameStep = 0.0f;
float lastFrameTime = 0.0f;
float optionsOverlayTimer = 0.0f;
int rocketCooldown = 0;
FrameClock frameClock = timerGetTime;
