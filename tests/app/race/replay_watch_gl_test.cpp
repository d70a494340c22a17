// Watching the best lap from the pause menu through the game's own keys, pads
// and frame, while the paused game's world stays as it was, bit for bit.
#include "app/input/input.h"
#include "app/input/pad_input.h"
#include "app/loop/display_frame.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"
#include "app/menu/menu.h"
#include "replay/replay.h"
#include "replay/world_digest.h"
#include "support/file_capture.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

float watchClockMs = 0.0f;

// Pixels of the watch's red in the window's top left, where "REPLAY" is written.
int replayInk()
{
    const int width = glutGet(GLUT_WINDOW_WIDTH) / 5;
    const int height = glutGet(GLUT_WINDOW_HEIGHT) / 10;
    std::vector<GLubyte> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, glutGet(GLUT_WINDOW_HEIGHT) - height, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int ink = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        ink += rgb[i] == 255 && std::abs(rgb[i + 1] - 64) <= 2 && std::abs(rgb[i + 2] - 51) <= 2;
    }
    return ink;
}

}  // namespace

TEST(ReplayWatch, TheMenuWatchesTheBestLapUnderTheKeysAndPadsAndTheLiveWorldStaysUntouched)
{
    ensureGlWindow();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    TempWorkDir dir;
    // Full thrust from the start through the start gate: a lap being recorded.
    InputScript script;
    script.seed = 20240611;
    script.frameMs = {20.0f};
    auto session = std::make_unique<ReplaySession>(script);
    std::string error;
    ASSERT_TRUE(session->deliver(InputEvent{0, InputKind::KeyDown, 'w'}, error)) << error;
    for (int f = 0; f < 1500; ++f) {
        session->runFrame();
    }
    Game& game = session->game();
    pauseGame(game);
    const uint64_t liveBefore = worldHash(game.world);

    PauseMenu menu;
    menu.open();
    menu.selected = PAUSE_WATCH;
    ASSERT_EQ(menu.key(characterKey('\r')), MenuOutcome::WATCH);
    watchFromMenu(game, menu);  // no replay written yet: the item says so
    EXPECT_EQ(menu.view().lines[PAUSE_WATCH].label, "Watch best lap: none yet");

    auto lap = std::make_unique<LapReplay>(game.laps.running);
    lap->lapTime = 60000.0f;  // the lap so far, as a file takes it
    writeWholeFile(BESTLAP_REPLAY_FILE, formatReplay(*lap));
    watchFromMenu(game, menu);
    ASSERT_TRUE(watchingReplay(game));
    const ReplayPlayer& player = *game.replayWatch.player;
    game.clockSource = [] { return watchClockMs; };
    auto frames = [&](int count) {
        for (int k = 0; k < count; ++k) {
            watchClockMs += 20.0f;
            displayFrame(game);
        }
    };
    frames(51);  // the first frame only starts the clock: a second at ×1
    EXPECT_NEAR(player.lapClockMs(), 1000.0f, 20.0f);
    EXPECT_GT(replayInk(), 20);

    for (int k = 0; k < 3; ++k) {
        onSpecialKey(game, KEY_RIGHT);  // the last beyond ×4: stays
    }
    EXPECT_EQ(player.speed(), 4.0f);
    frames(25);
    EXPECT_NEAR(player.lapClockMs(), 3000.0f, 20.0f);
    onKeyDown(game, 'P');
    frames(10);
    EXPECT_NEAR(player.lapClockMs(), 3000.0f, 20.0f);
    onKeyDown(game, 'p');
    onKeyDown(game, 'c');
    EXPECT_TRUE(player.chaseCamera);
    // The pad: the button held as watching began acts only once let go; a
    // shoulder steps the speed once per press.
    PadState pad;
    auto padButton = [&](PadButton button, bool down) {
        pad.buttons[button] = down;
        applyPads(game, &pad, 1, 0.0f);
    };
    padButton(PAD_B, true);
    padButton(PAD_B, false);
    padButton(PAD_LEFT_SHOULDER, true);
    applyPads(game, &pad, 1, 0.0f);
    EXPECT_EQ(player.speed(), 2.0f);
    onSpecialKey(game, KEY_LEFT);
    onSpecialKey(game, KEY_LEFT);
    EXPECT_EQ(player.speed(), 0.5f);
    frames(50);  // a second at ×0.5, from the chase camera
    EXPECT_NEAR(player.lapClockMs(), 3500.0f, 20.0f);
    EXPECT_GT(replayInk(), 20);

    // Escape goes back to the paused game when it comes up; the game goes on.
    onKeyDown(game, KEY_ESCAPE);
    EXPECT_TRUE(watchingReplay(game));
    onKeyUp(game, KEY_ESCAPE);
    EXPECT_TRUE(!watchingReplay(game) && gamePaused(game));
    watchFromMenu(game, menu);
    padButton(PAD_LEFT_SHOULDER, false);
    padButton(PAD_B, true);
    EXPECT_TRUE(watchingReplay(game));
    padButton(PAD_B, false);
    EXPECT_FALSE(watchingReplay(game));

    EXPECT_EQ(worldHash(game.world), liveBefore);
}
