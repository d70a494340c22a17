#include "replay/headless_frame.h"

#include "app/loop/frame_cues.h"

void headlessFrame(Game& game, float nowMs)
{
    advanceFrame(game, nowMs);
}
