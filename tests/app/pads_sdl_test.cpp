// Virtual game controllers through SDL, the game's pad reader and the
// headless frame, in the order the frame driver runs them.
#include "app/ghost_race.h"
#include "app/input.h"
#include "app/options.h"
#include "app/pad_input.h"
#include "app/pads_sdl.h"
#include "replay/headless_frame.h"
#include "sim/camera.h"
#include "sim/flight.h"
#include "sim/rocket.h"
#include "support/file_capture.h"
#include "support/sim_world.h"
#include "support/virtual_pad_sdl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Sint16 REST = -32768;  // a virtual trigger's axis at rest
constexpr Sint16 FULL = 32767;

class PadFrames : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        camera.setTarget(0.0f, 0.0f, 0.0f);
        camera.placeAt(-200.0f, 0.0f, 0.0f);
        startPads();
    }
    void TearDown() override
    {
        while (!plugged.empty()) {
            pullOut(plugged.back());
        }
        stopPads();
        resetOptions();
        showGhost = 0;
        SimWorld::TearDown();
    }

    SDL_Joystick* plugIn(SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        SDL_Joystick* pad = plugInVirtualPad(type);
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        plugged.push_back(pad);
        return pad;
    }
    void pullOut(SDL_Joystick* pad)
    {
        pullOutVirtualPad(pad);
        plugged.erase(std::find(plugged.begin(), plugged.end(), pad));
    }

    // A displayed frame of ms, without drawing: pads, then the world.
    void padFrame(float ms)
    {
        scriptedTime() += ms;
        readPads();
        headlessFrame();
    }
    void press(SDL_Joystick* pad, SDL_GameControllerButton button)
    {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        padFrame(16.5f);
        SDL_JoystickSetVirtualButton(pad, button, 0);
        padFrame(16.5f);
    }

    int rocketsOut() const
    {
        return static_cast<int>(std::count_if(std::begin(rockets), std::end(rockets),
                                              [](const Rocket& r) { return r.state != ROCKET_FREE; }));
    }

    TempWorkDir dir;
    std::vector<SDL_Joystick*> plugged;
};

// The view's turn right (positive) and up since `from`, in radians.
double turnRight(const Vec3& from, const Vec3& fromSide)
{
    return std::atan2(-camera.view.dot(fromSide), camera.view.dot(from));
}

}  // namespace

TEST_F(PadFrames, TheStickTurnsTheViewAsFarAtAnyFrameRate)
{
    SDL_Joystick* pad = plugIn();
    const Vec3 view = camera.view;
    const Vec3 side = camera.side;
    const Vec3 up = camera.up;
    // Half a second to the right, at 60 and at 30 frames a second: a quarter
    // turn of the view.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, FULL);
    padFrame(16.5f);  // the pad comes in, and a frame at rest follows
    for (const float ms : {16.5f, 33.0f}) {
        camera.setTarget(0.0f, 0.0f, 0.0f);
        camera.placeAt(-200.0f, 0.0f, 0.0f);
        for (float t = 0.0f; t < 495.0f - 1.0f; t += ms) {
            padFrame(ms);
        }
        EXPECT_NEAR(turnRight(view, side), PAD_TURN_RATE * 0.495, 1e-4) << ms << " ms frames";
        EXPECT_NEAR(camera.view.dot(up), 0.0, 1e-6);
    }

    // Half way toward the player, past a deadzone of 0.2, at twice the
    // speed: the view turns up by 0.375 of the full rate, twice over; the
    // vertical turned round, down.
    padOptions.deadzone = 0.2f;
    padOptions.lookSpeed = 2.0f;
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, FULL / 2);
    for (const bool invert : {false, true}) {
        padOptions.invertY = invert;
        camera.setTarget(0.0f, 0.0f, 0.0f);
        camera.placeAt(-200.0f, 0.0f, 0.0f);
        padFrame(16.5f);
        padFrame(16.5f);
        const double expected = PAD_TURN_RATE * 2.0 * (0.5 - 0.2) / 0.8 * 0.033;
        EXPECT_NEAR(std::asin(camera.view.dot(up)), invert ? -expected : expected, 1e-4);
    }
    // Inside the deadzone nothing turns, and the mouse's pointer bookkeeping
    // never moved.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, FULL / 6);
    const Vec3 still = camera.view;
    padFrame(16.5f);
    EXPECT_EQ(camera.view.x, still.x);
    EXPECT_EQ(camera.view.z, still.z);
    EXPECT_EQ(lastMouseX, MOUSE_START_X);
    EXPECT_EQ(lastMouseY, MOUSE_START_Y);
    EXPECT_TRUE(warpLog().empty());
}

TEST_F(PadFrames, TriggersThrustAndBrakeAndButtonsActThroughTheTable)
{
    SDL_Joystick* pad = plugIn();
    // At rest, and pulled a quarter (short of the press point), nothing acts.
    for (const Sint16 pull : {REST, static_cast<Sint16>(-16384)}) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, pull);
        padFrame(16.5f);
        padFrame(16.5f);
        EXPECT_EQ(thrustInput, 0);
        EXPECT_EQ(flightSpeed, 0.0f);
    }
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, FULL);
    padFrame(16.5f);
    padFrame(16.5f);
    EXPECT_EQ(thrustInput, 1);
    EXPECT_GT(flightSpeed, 0.0f);
    // Let back to a quarter it still holds; under the release point it lets go.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -16384);
    padFrame(16.5f);
    EXPECT_EQ(thrustInput, 1);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -28000);
    padFrame(16.5f);
    EXPECT_EQ(thrustInput, 0);
    // From one trigger to the other within a frame: the brake holds.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, FULL);
    padFrame(16.5f);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, REST);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, FULL);
    padFrame(16.5f);
    EXPECT_EQ(thrustInput, -1);

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1);
    padFrame(16.5f);
    EXPECT_EQ(rollInput, 1);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0);
    padFrame(16.5f);
    EXPECT_EQ(rollInput, 0);

    sound.calls.clear();
    press(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(rocketsOut(), 1);
    EXPECT_EQ(sound.calls.front(), played(CHANNEL_ROCKET, SAMPLE_ROCKET));
    press(pad, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(showGhost, 1);
    press(pad, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(showGhost, 0);
    press(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(showHighScores, 1);
    press(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    press(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(radioVolume, RADIO_VOLUME_START + RADIO_VOLUME_STEP);
}

// Two pads act as one; one pulled out while it holds thrust lets go of it,
// and a pad plugged in mid-run acts at once.
TEST_F(PadFrames, PadsComeAndGoMidRun)
{
    SDL_Joystick* first = plugIn();
    SDL_Joystick* second = plugIn();
    SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, FULL);
    SDL_JoystickSetVirtualAxis(second, SDL_CONTROLLER_AXIS_LEFTX, FULL);
    padFrame(16.5f);
    const Vec3 view = camera.view;
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 2);
    EXPECT_EQ(thrustInput, 1);
    EXPECT_LT(camera.view.dot(view), 1.0 - 1e-6) << "the second pad's stick turns";

    pullOut(first);
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 1);
    EXPECT_EQ(thrustInput, 0);
    pullOut(second);
    padFrame(16.5f);
    const Vec3 still = camera.view;
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 0);
    EXPECT_EQ(camera.view.x, still.x);

    SDL_Joystick* third = plugIn();
    SDL_JoystickSetVirtualButton(third, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 1);
    EXPECT_EQ(rollInput, -1);
}

// "gamecontrollerdb.txt" makes a joystick SDL does not know a pad; a file
// that is not text is named and the game goes on.
TEST_F(PadFrames, TheMappingsFileMakesAJoystickAPad)
{
    SDL_Joystick* stick = plugIn(SDL_JOYSTICK_TYPE_UNKNOWN);
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(stick), guid, sizeof guid);
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 0) << "a joystick with no mapping is no pad";
    pullOut(stick);
    stopPads();

    writeWholeFile(PAD_MAPPINGS_FILE, std::string("\x7F" "ELF\x01\x01", 6));
    EXPECT_EQ(captureStdout(startPads), "Error reading file: gamecontrollerdb.txt\n");
    stopPads();

    writeWholeFile(PAD_MAPPINGS_FILE, "# pads of our own\n" + std::string(guid) +
                                          ",Test stick,a:b0,righttrigger:a5,platform:Linux,\n");
    EXPECT_EQ(captureStdout(startPads), "");
    stick = plugIn(SDL_JOYSTICK_TYPE_UNKNOWN);
    SDL_JoystickSetVirtualAxis(stick, 5, FULL);
    padFrame(16.5f);  // SDL reads a trigger from the frame after it opens the pad
    padFrame(16.5f);
    EXPECT_EQ(padCount(), 1);
    EXPECT_EQ(thrustInput, 1);
}
