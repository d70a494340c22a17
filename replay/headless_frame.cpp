#include "replay/headless_frame.h"

#include "app/frame_cues.h"
#include "app/ghost_race.h"
#include "render/frame_effects.h"
#include "sim/update_frame.h"

void headlessFrame()
{
    updateFrame();
    handleFrameEvents();
    ghostRace.onFrame(frameClock());
    runFrameEffects(FrameEffectPasses{});
}
