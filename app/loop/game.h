// The running game as one value: the world, the player's hands on it and what
// the app keeps around it. The toolkit's callbacks reach the game's one Game
// (app/loop/startup_gl.cpp); tests, replays and tools make their own, so nothing of
// one run leaks into another.
#pragma once

#include "app/hud/overlay_text.h"
#include "app/input/controls.h"
#include "app/menu/menu.h"
#include "app/race/ghost_race.h"
#include "app/race/lap_replay.h"
#include "app/race/replay_watch.h"
#include "render/view_settings.h"
#include "sim/frame_events.h"
#include "sim/frame_input.h"
#include "sim/world.h"
#include "sound/sound.h"

#include <functional>

// Where the pointer is taken to be before the first mouse event.
constexpr int MOUSE_START_X = 400;
constexpr int MOUSE_START_Y = 300;

// Warp targets whose motion events are still to come, oldest first. A warp
// adds one; the event at its target removes it. Events that arrive while a
// warp is outstanding were generated before the warp moved the pointer.
constexpr int POINTER_ECHO_CAPACITY = 8;
struct PointerEchoes {
    int x[POINTER_ECHO_CAPACITY] = {};
    int y[POINTER_ECHO_CAPACITY] = {};
    int count = 0;
};

// The character keys behind held actions, each with its X key code, so that
// the action ends when that key comes up whatever the modifiers did
// meanwhile (app/input/physical_keys.h). Room for every held action's two keys.
constexpr int HELD_KEYS_MAX = 8;
struct HeldKey {
    InputKey key;
    int code = 0;
};
struct HeldKeys {
    HeldKey keys[HELD_KEYS_MAX];
    int count = 0;
};

// What the player's hands hold between frames: the held levels the next
// frame reads, the mouse-look pointer's bookkeeping and what the pads held.
struct PlayerHands {
    int thrustInput = 0;  // -1 brake, 0 coast, +1 accelerate
    int rollInput = 0;    // -1, 0, +1
    // The previous motion event's pointer position (window pixels) the next
    // mouse-look delta is measured from, and where the pointer was at the
    // previous event of either kind, before any warp it caused.
    int lastMouseX = MOUSE_START_X;
    int lastMouseY = MOUSE_START_Y;
    int previousX = MOUSE_START_X;
    int previousY = MOUSE_START_Y;
    PointerEchoes echoes;
    // Mouse buttons down now, one bit each, for deciding whether a drag steers.
    unsigned heldMouseButtons = 0;
    HeldKeys heldKeys;
    // Escape went down in the pause menu: its release belongs to the menu
    // too, even when that Escape took the game back to flight.
    bool escapeInMenu = false;
    // What the pads held at the previous frame.
    bool padButtons[PAD_BUTTON_COUNT] = {};
    bool padAxes[PAD_AXIS_COUNT] = {};
};

// Pause is no part of the world: while paused no frame is stepped and the
// play clock stands still.
struct PauseClock {
    bool paused = false;
    float pausedAt = 0.0f;  // source time when the pause began
    double pausedMs = 0.0;  // every finished paused stretch
    bool windowAway = false;  // hidden, or the keyboard gone to another window
};

struct Game {
    World world;
    // The next frame's input, filled by the handlers between frames.
    FrameInput input;
    // The last step's events, until the app has handled them.
    FrameEvents events;
    PlayerHands hands;
    ViewSettings view;
    PauseClock pause;
    // Open over the still world while paused; no part of the world.
    PauseMenu menu;
    // The clock behind the play clock: timerGetTime in the game, a scripted
    // one in tests and replays.
    float (*clockSource)() = nullptr;
    int radioVolume = RADIO_VOLUME_START;  // 0 to 255
    GhostRace ghost;
    // Every lap as a replay, and the run's fastest for "bestlap.replay".
    LapRecorder laps;
    FrameRateCounter frameRate;
    // The best lap being watched from the pause menu, if it is.
    ReplayWatch replayWatch;
    // The overlay's lines of the frame being drawn; their storage is reused
    // from frame to frame.
    OverlayLines overlayLines;
    // Start-up work that need not hold up the first picture (the sound device,
    // the game controllers: tens of milliseconds): run once, right after the
    // first frame is shown. Null in tests and tools, which start what they need.
    void (*afterFirstFrame)(Game& game) = nullptr;
    // Told every handled batch of events after its cues; empty in the game.
    // Replays count the events here.
    std::function<void(const FrameEvents&)> eventListener;
};

// The world made fresh from seed, and everything around it back to a run's
// start: hands, view, pause, radio, ghost race. Loaded models stay.
void startGame(Game& game, uint32_t seed);
