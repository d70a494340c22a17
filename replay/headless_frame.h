// One displayed frame without drawing, for replays, soaks and benchmarks.
#pragma once

// updateFrame, the app's handling of the frame's events (cues, ghost,
// listener), the ghost's sample of the camera, then runFrameEffects with no
// drawing passes: the world changes exactly as in a displayed frame.
void headlessFrame();
