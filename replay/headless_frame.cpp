#include "replay/headless_frame.h"

#include "app/frame_cues.h"
#include "render/frame_effects.h"

void headlessFrame()
{
    advanceFrame();
    runFrameEffects(FrameEffectPasses{});
}
