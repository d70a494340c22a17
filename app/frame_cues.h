// Where the platform acts on what the simulation reported: after updateFrame
// and after each input handler the app hands the frame's events over here.
#pragma once

struct FrameEvents;

// The cues of the events, in their order: a launch on the rocket channel, a
// rocket hit or a craft contact on the explosion channel, a gate pass as the
// chime on the gate channel at its volume, a lap on the lap channel (the
// best-lap sample when it was the best of the run).
void playEventCues(const FrameEvents& events);

// Called with every batch of events after its cues were played; null in the
// game. Replays count the events here.
extern void (*frameEventListener)(const FrameEvents& events);

// Plays the cues of frameEvents, hands them to the ghost race, tells the
// listener, and empties the list.
void handleFrameEvents();

// The world's side of every frame, displayed or headless: updateFrame, the
// handling of its events, and the ghost's sample of the camera.
void advanceFrame();
