// One displayed frame without drawing, for replays, soaks and benchmarks.
#pragma once

// updateFrame, the app's handling of the frame's events (cues, listener),
// then runFrameEffects with no drawing passes: the world changes exactly as
// in a displayed frame.
void headlessFrame();
