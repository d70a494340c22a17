// Where the app acts on what the simulation reported: after each frame step
// the frame's events are handed over here.
#pragma once

struct FrameEvents;
struct Game;

// The cues of the events, in their order: a launch on the rocket channel, a
// rocket hit or a craft contact on the explosion channel, a gate pass as the
// chime on the gate channel at its volume, a lap on the lap channel (the
// best-lap sample when it was the best of the run).
void playEventCues(const FrameEvents& events);

// Plays the cues of game.events, lets go of the thrust on a craft contact
// (it stays off until its key is pressed again), hands the events to the
// ghost race at frame-clock nowMs, tells the listener, and empties the list.
void handleFrameEvents(Game& game, float nowMs);

// The world's side of every frame, displayed or headless, at the play
// clock's nowMs: the held levels join the frame's input, the frame step runs
// on it, the options panel counts down, the events are handled, and the ghost
// samples the camera the frame shows. The input's commands are used up.
void advanceFrame(Game& game, float nowMs);
