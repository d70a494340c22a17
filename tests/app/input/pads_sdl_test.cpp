// Virtual game controllers through SDL, the game's pad reader and the
// headless frame, in the order the frame driver runs them.
#include "app/loop/game.h"
#include "app/race/ghost_race.h"
#include "app/input/input.h"
#include "app/files/options.h"
#include "app/input/pad_input.h"
#include "app/input/pads_sdl.h"
#include "app/loop/pause.h"
#include "replay/headless_frame.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "support/file_capture.h"
#include "support/sim_world.h"
#include "support/virtual_pad_sdl.h"

#include <cmath>

namespace {

constexpr Sint16 FULL = SDL_JOYSTICK_AXIS_MAX;
constexpr Sint16 REST = SDL_JOYSTICK_AXIS_MIN;  // of a virtual trigger
constexpr Sint16 QUARTER = -16384;              // a virtual trigger pulled a quarter
constexpr int LEFT_X = SDL_CONTROLLER_AXIS_LEFTX;
constexpr int LEFT_Y = SDL_CONTROLLER_AXIS_LEFTY;
constexpr int RIGHT_TRIGGER = SDL_CONTROLLER_AXIS_TRIGGERRIGHT;

class PadFrames : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        placeCamera();
        startPads();
    }
    // Stopping SDL's game controllers closes and detaches every virtual pad.
    void TearDown() override
    {
        stopPads(&game);
        resetOptions();
        SimWorld::TearDown();
    }
    void placeCamera()
    {
        camera.setTarget(0.0f, 0.0f, 0.0f);
        camera.placeAt(-200.0f, 0.0f, 0.0f);
    }
    static SDL_Joystick* plugIn(SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        SDL_Joystick* pad = plugInVirtualPad(type);
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        return pad;
    }
    // As the frame driver runs them: the pads read for the step to come, then
    // the step; paused, only the pads are read, as the waiting idle turn does.
    void frames(int count, float ms = 16.5f)
    {
        for (int f = 0; f < count; ++f) {
            scriptedTime() += ms;
            if (gamePaused(game)) {
                readPads(game, 0.0f);
                continue;
            }
            const float now = playClock(game);
            readPads(game, now - world.lastFrameTime);
            headlessFrame(game, now);
        }
    }
    void axis(SDL_Joystick* pad, int axis, Sint16 value)
    {
        SDL_JoystickSetVirtualAxis(pad, axis, value);
        frames(1);
    }
    void hold(SDL_Joystick* pad, int button, bool down)
    {
        SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
        frames(1);
    }
    void press(SDL_Joystick* pad, int button)
    {
        hold(pad, button, true);
        hold(pad, button, false);
    }

    TempWorkDir dir;
    Camera& camera = world.camera;
};

}  // namespace

TEST_F(PadFrames, TheStickTurnsTheViewAsFarAtAnyFrameRateAndRestsWhilePaused)
{
    SDL_Joystick* pad = plugIn();
    const Vec3 view = camera.view;
    const Vec3 left = camera.side;
    const Vec3 up = camera.up;
    axis(pad, LEFT_X, FULL);
    // Full right for 0.495 s, at 60 and at 30 frames a second.
    for (const int count : {30, 15}) {
        placeCamera();
        frames(count, 495.0f / static_cast<float>(count));
        EXPECT_NEAR(std::atan2(-camera.view.dot(left), camera.view.dot(view)), PAD_TURN_RATE * 0.495, 1e-4);
        EXPECT_NEAR(camera.view.dot(up), 0.0, 1e-6);
    }
    // Half way toward the player past a deadzone of 0.2, at twice the speed,
    // for 33 ms: up by (0.5 - 0.2) / 0.8 of the full rate (no jump at the
    // deadzone's edge); inverted, down.
    playerOptions.pad = PadOptions{0.2f, 2.0f, false};
    SDL_JoystickSetVirtualAxis(pad, LEFT_X, 0);
    SDL_JoystickSetVirtualAxis(pad, LEFT_Y, FULL / 2);
    for (const bool invert : {false, true}) {
        playerOptions.pad.invertY = invert;
        placeCamera();
        frames(2);
        const double expected = PAD_TURN_RATE * 2.0 * 0.375 * 0.033;
        EXPECT_NEAR(std::asin(camera.view.dot(up)), invert ? -expected : expected, 1e-4);
    }
    // Inside the deadzone nothing turns, and the mouse's pointer bookkeeping never moved.
    axis(pad, LEFT_Y, FULL / 6);
    const Vec3 still = camera.view;
    frames(1);
    EXPECT_TRUE(camera.view.x == still.x && camera.view.z == still.z);
    EXPECT_TRUE(game.hands.lastMouseX == MOUSE_START_X && game.hands.lastMouseY == MOUSE_START_Y &&
                warpLog().empty());
    // Start pauses; paused, the stick pushed full leaves the view alone. Start resumes.
    press(pad, SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(gamePaused(game));
    axis(pad, LEFT_X, FULL);
    EXPECT_TRUE(camera.view.x == still.x && camera.view.y == still.y && camera.view.z == still.z);
    EXPECT_TRUE(game.input.commands.empty()) << "no turn waits for the next frame either";
    hold(pad, SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_FALSE(gamePaused(game));
    // The window hidden or the keyboard elsewhere: Start keeps the pause
    // until the window is back.
    setWindowAway(game, true);
    press(pad, SDL_CONTROLLER_BUTTON_START);
    setWindowAway(game, false);
    EXPECT_TRUE(gamePaused(game));
    press(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(gamePaused(game));
}

TEST_F(PadFrames, TriggersAndButtonsActThroughTheTable)
{
    SDL_Joystick* pad = plugIn();
    // At rest, then pulled a quarter, short of the press point: nothing.
    frames(1);
    axis(pad, RIGHT_TRIGGER, QUARTER);
    EXPECT_EQ(world.flightSpeed, 0.0f);
    axis(pad, RIGHT_TRIGGER, FULL);
    EXPECT_GT(world.flightSpeed, 0.0f);
    // Let back to a quarter it holds; near rest it lets go.
    axis(pad, RIGHT_TRIGGER, QUARTER);
    EXPECT_EQ(game.hands.thrustInput, 1);
    axis(pad, RIGHT_TRIGGER, -28000);
    EXPECT_EQ(game.hands.thrustInput, 0);
    // From one trigger to the other within a frame: the brake holds.
    axis(pad, RIGHT_TRIGGER, FULL);
    SDL_JoystickSetVirtualAxis(pad, RIGHT_TRIGGER, REST);
    axis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, FULL);
    EXPECT_EQ(game.hands.thrustInput, -1);

    hold(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_EQ(game.hands.rollInput, 1);
    hold(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    EXPECT_EQ(game.hands.rollInput, 0);
    press(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(world.rockets[0].state, ROCKET_FLYING);
    for (const int button : {SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_DPAD_UP,
                             SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN}) {
        press(pad, button);
    }
    EXPECT_EQ(game.view.showGhost, 1);
    EXPECT_EQ(game.view.showHighScores, 1);
    EXPECT_EQ(game.radioVolume, RADIO_VOLUME_START + RADIO_VOLUME_STEP);
}

// Two pads act as one; one pulled out while it holds thrust lets go of it,
// and a pad plugged in mid-run acts at once.
TEST_F(PadFrames, PadsComeAndGoMidRun)
{
    SDL_Joystick* first = plugIn();
    SDL_Joystick* second = plugIn();
    SDL_JoystickSetVirtualAxis(first, RIGHT_TRIGGER, FULL);
    axis(second, LEFT_X, FULL);
    const Vec3 view = camera.view;
    frames(1);
    EXPECT_EQ(padCount(), 2);
    EXPECT_EQ(game.hands.thrustInput, 1);
    EXPECT_LT(camera.view.dot(view), 1.0 - 1e-6) << "the second pad's stick turns";
    pullOutVirtualPad(first);
    frames(1);
    EXPECT_EQ(game.hands.thrustInput, 0);
    pullOutVirtualPad(second);
    frames(1);
    const Vec3 still = camera.view;
    frames(1);
    EXPECT_EQ(padCount(), 0);
    EXPECT_EQ(camera.view.x, still.x);
    hold(plugIn(), SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    EXPECT_EQ(game.hands.rollInput, -1);
}

// "gamecontrollerdb.txt" makes a joystick SDL does not know a pad; a file
// that is not text, or gives SDL no mapping, is named and the game goes on,
// and so are the first lines SDL refuses; another system's lines pass silently.
TEST_F(PadFrames, TheMappingsFileMakesAJoystickAPad)
{
    SDL_Joystick* stick = plugIn(SDL_JOYSTICK_TYPE_UNKNOWN);
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(stick), guid, sizeof guid);
    frames(1);
    EXPECT_EQ(padCount(), 0) << "a joystick with no mapping is no pad";
    stopPads();
    writeWholeFile(PAD_MAPPINGS_FILE, std::string("\x7F" "ELF\x01\x01", 6));
    EXPECT_EQ(captureStdout(startPads), "Error reading file: gamecontrollerdb.txt\n");
    stopPads();
    writeWholeFile(PAD_MAPPINGS_FILE, std::string(guid) + ",Test stick,a:b0,platform:Windows,\nx\n\ny\nz\n w\r\n");
    const std::string at = "Error in gamecontrollerdb.txt";
    EXPECT_EQ(captureStdout(startPads), at + " line 2: not a mapping SDL takes\n" + at +
                                            " line 4: not a mapping SDL takes\n" + at +
                                            " line 5: not a mapping SDL takes\n" + at +
                                            ": 4 lines refused in all\ngamecontrollerdb.txt: no mapping SDL can use\n");
    stopPads();
    writeWholeFile(PAD_MAPPINGS_FILE, "# ours\n" + std::string(guid) + ",Test stick,righttrigger:a5,platform:Linux,\n");
    EXPECT_EQ(captureStdout(startPads), "");
    axis(plugIn(SDL_JOYSTICK_TYPE_UNKNOWN), 5, FULL);
    frames(1);  // SDL reads a trigger from the frame after it opens the pad
    EXPECT_EQ(padCount(), 1);
    EXPECT_EQ(game.hands.thrustInput, 1);
}
