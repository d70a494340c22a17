// Watching the best lap from the pause menu: "bestlap.replay" flown again on
// a world of its own while the paused game waits, untouched. GL-free: the keys
// and pads while watching, the replay's clock against real time and the
// overlay's lines; the display draws it (app/race/replay_view.h).
//
// While watching, C switches between the cockpit and the chase camera, P
// pauses, Left and Right (or the pad's shoulders) step the speed, and Escape
// (or the pad's B) goes back to the paused game. A pauses and Y switches the
// camera on a pad.
#pragma once

#include "app/input/controls.h"
#include "app/race/replay_player.h"

#include <memory>

struct Game;
struct OverlayLines;
struct PadState;
struct PauseMenu;

struct ReplayWatch {
    // Null while not watching; on the heap, as it holds two worlds.
    std::unique_ptr<ReplayPlayer> player;
    // The source clock's reading at the last displayed frame, below 0 before
    // the first: the replay moves on by the real time between frames.
    float lastClockMs = -1.0f;
    // What the pads held at the last read, so that a press acts once; the
    // first read only notes them (the button that chose the item may still be held).
    bool padHeld[PAD_BUTTON_COUNT] = {};
    bool padsRead = false;
    bool bPressed = false;  // B went down in this watch: its release leaves
    // craft.txt, for the chase view, has been asked for in this watch.
    bool craftAsked = false;
};

bool watchingReplay(const Game& game);
// Loads "bestlap.replay" over the live world's models and starts watching it
// (the game stays paused). On failure nothing changes; a file other than a
// missing one is named in one line. Returns how the file was.
ReplayFileStatus startWatching(Game& game);
// The menu's "Watch best lap": starts watching, or tells in the menu why not.
void watchFromMenu(Game& game, PauseMenu& menu);
void stopWatching(Game& game);

// A key went down or came up while watching: true when the watch took it
// (every key does while watching). Escape leaves as it comes up, so that its
// release never reaches the game's own Escape.
bool replayKeyDown(Game& game, InputKey key);
bool replayKeyUp(Game& game, InputKey key);
// The pads' state while watching: true when the watch took it.
bool replayPads(Game& game, const PadState& pad);

// A displayed frame: moves the replay on by the real time since the last one
// (the game's source clock, which a pause does not stop).
void advanceWatch(Game& game);
// The watch's overlay: "REPLAY", the replay's lap clock, speed, camera and pause.
void composeReplayOverlay(OverlayLines& out, const ReplayPlayer& player);
