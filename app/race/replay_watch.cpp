#include "app/race/replay_watch.h"

#include "app/hud/overlay_text.h"
#include "app/input/input.h"
#include "app/input/pad_input.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/menu/menu.h"

#include <string>

namespace {

// A frame that took longer than this (the window dragged, the machine busy)
// moves the replay on by this much only, so that it never leaps ahead.
constexpr float WATCH_LONGEST_STEP_MS = 100.0f;

const float REPLAY_WHITE[3] = {1.0f, 1.0f, 1.0f};
const float REPLAY_RED[3] = {1.0f, 0.25f, 0.2f};

float sourceClock(const Game& game)
{
    return game.clockSource ? game.clockSource() : 0.0f;
}

// One button press of the watch's keys, whichever hand gave it.
enum class WatchInput { NONE, CAMERA, PAUSE, SLOWER, FASTER };

void act(ReplayPlayer& player, WatchInput in)
{
    switch (in) {
    case WatchInput::CAMERA:
        player.toggleCamera();
        break;
    case WatchInput::PAUSE:
        // At the lap's end the pause key plays it again from its start.
        if (player.finished()) {
            player.rewind();
            player.paused = false;
        } else {
            player.togglePause();
        }
        break;
    case WatchInput::SLOWER:
        player.slower();
        break;
    case WatchInput::FASTER:
        player.faster();
        break;
    case WatchInput::NONE:
        break;
    }
}

WatchInput watchInputForKey(InputKey key)
{
    if (key == characterKey('c')) {
        return WatchInput::CAMERA;
    }
    if (key == characterKey('p')) {
        return WatchInput::PAUSE;
    }
    if (key == specialKey(KEY_LEFT)) {
        return WatchInput::SLOWER;
    }
    if (key == specialKey(KEY_RIGHT)) {
        return WatchInput::FASTER;
    }
    return WatchInput::NONE;
}

}  // namespace

bool watchingReplay(const Game& game)
{
    return game.replayWatch.player != nullptr;
}

ReplayFileStatus startWatching(Game& game)
{
    auto player = std::make_unique<ReplayPlayer>();
    const ReplayFileStatus status = player->load(BESTLAP_REPLAY_FILE, game.world);
    if (status != REPLAY_FILE_OK) {
        if (status != REPLAY_FILE_MISSING) {
            reportReplayFile(status, BESTLAP_REPLAY_FILE);
        }
        return status;
    }
    pauseGame(game);
    ReplayWatch& watch = game.replayWatch;
    watch = ReplayWatch{};
    watch.player = std::move(player);
    return status;
}

void watchFromMenu(Game& game, PauseMenu& menu)
{
    switch (startWatching(game)) {
    case REPLAY_FILE_OK:
        break;
    case REPLAY_FILE_MISSING:
        menu.noReplayToWatch = true;
        break;
    case REPLAY_FILE_UNREADABLE:
        menu.message = std::string("Error opening file: ") + BESTLAP_REPLAY_FILE;
        break;
    default:
        menu.message = std::string("Error reading file: ") + BESTLAP_REPLAY_FILE;
        break;
    }
}

void stopWatching(Game& game)
{
    game.replayWatch = ReplayWatch{};
}

bool replayKeyDown(Game& game, InputKey key)
{
    if (!watchingReplay(game)) {
        return false;
    }
    act(*game.replayWatch.player, watchInputForKey(key));
    return true;
}

bool replayKeyUp(Game& game, InputKey key)
{
    if (!watchingReplay(game)) {
        return false;
    }
    if (key == characterKey(KEY_ESCAPE)) {
        stopWatching(game);
    }
    return true;
}

bool replayPads(Game& game, const PadState& pad)
{
    if (!watchingReplay(game)) {
        return false;
    }
    ReplayWatch& watch = game.replayWatch;
    bool pressed[PAD_BUTTON_COUNT] = {};
    const bool bLetGo = watch.bPressed && !pad.buttons[PAD_B];
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        pressed[b] = watch.padsRead && pad.buttons[b] && !watch.padHeld[b];
        watch.padHeld[b] = pad.buttons[b];
    }
    watch.padsRead = true;
    // B leaves as it comes up, as Escape does, so that the menu behind never
    // reads its press as its own.
    watch.bPressed = watch.bPressed || pressed[PAD_B];
    if (bLetGo) {
        stopWatching(game);
        return true;
    }
    ReplayPlayer& player = *watch.player;
    if (pressed[PAD_LEFT_SHOULDER]) {
        act(player, WatchInput::SLOWER);
    }
    if (pressed[PAD_RIGHT_SHOULDER]) {
        act(player, WatchInput::FASTER);
    }
    if (pressed[PAD_A]) {
        act(player, WatchInput::PAUSE);
    }
    if (pressed[PAD_Y]) {
        act(player, WatchInput::CAMERA);
    }
    return true;
}

void advanceWatch(Game& game)
{
    if (!watchingReplay(game)) {
        return;
    }
    ReplayWatch& watch = game.replayWatch;
    const float now = sourceClock(game);
    float step = watch.lastClockMs < 0.0f ? 0.0f : now - watch.lastClockMs;
    step = step < 0.0f ? 0.0f : (step > WATCH_LONGEST_STEP_MS ? WATCH_LONGEST_STEP_MS : step);
    watch.lastClockMs = now;
    watch.player->advance(step);
}

void composeReplayOverlay(OverlayLines& out, const ReplayPlayer& player)
{
    out.count = 0;
    out.add(FONT_LARGE, REPLAY_RED[0], REPLAY_RED[1], REPLAY_RED[2], 0.05f, 0.95f, "REPLAY");
    const float lapMs = player.lapClockMs() > 0.0f ? player.lapClockMs() : 0.0f;
    out.add(FONT_LARGE, REPLAY_WHITE[0], REPLAY_WHITE[1], REPLAY_WHITE[2], 0.45f, 0.95f, "Time: %07.2f ",
            lapMs / 1000.0f);
    out.add(FONT_LARGE, REPLAY_WHITE[0], REPLAY_WHITE[1], REPLAY_WHITE[2], 0.78f, 0.95f, "x%g ", player.speed());
    const char* state = player.finished() ? "END: [P] again" : (player.paused ? "PAUSED" : "");
    out.add(FONT_LARGE, REPLAY_WHITE[0], REPLAY_WHITE[1], REPLAY_WHITE[2], 0.05f, 0.9f, "%s view  %s",
            player.chaseCamera ? "chase" : "cockpit", state);
    out.add(FONT_SMALL, REPLAY_WHITE[0], REPLAY_WHITE[1], REPLAY_WHITE[2], 0.05f, 0.05f, "%s",
            "[C] camera [P] pause [<][>] speed [Esc] back");
}
