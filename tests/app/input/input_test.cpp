#include "app/input/input.h"

#include "app/loop/frame_cues.h"
#include "sim/rocket.h"
#include "support/sim_world.h"

namespace {

int heldModifiers = 0;
int modifiersNow()
{
    return heldModifiers;
}
int filterCalls = 0;
void countFilter(int, int)
{
    ++filterCalls;
}
int listCalls = 0;
void countLists(ViewSettings&, const Asteroid*)
{
    ++listCalls;
}
std::vector<int> exitStatuses;
void recordExit(int status)
{
    exitStatuses.push_back(status);
}

class Input : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        heldModifiers = 0;
        filterCalls = 0;
        listCalls = 0;
        exitStatuses.clear();
        platformHooks.modifiers = modifiersNow;
        platformHooks.applyTextureFilter = countFilter;
        platformHooks.toggleAsteroidLists = countLists;
        platformHooks.exitProcess = recordExit;
    }

    void press(unsigned char key)
    {
        onKeyDown(game, key);
    }
    void release(unsigned char key)
    {
        onKeyUp(game, key);
    }
    void special(int key)
    {
        onSpecialKey(game, key);
    }
};

}  // namespace

TEST_F(Input, ThrustAndRollAreLevelsClearedByEitherKeyOfThePair)
{
    press('w');
    EXPECT_EQ(game.hands.thrustInput, 1);
    press('S');
    EXPECT_EQ(game.hands.thrustInput, -1);
    release('w');
    EXPECT_EQ(game.hands.thrustInput, 0);  // S still held, thrust cleared all the same

    press('W');
    release('s');
    EXPECT_EQ(game.hands.thrustInput, 0);

    press('q');
    EXPECT_EQ(game.hands.rollInput, 1);
    press('E');
    EXPECT_EQ(game.hands.rollInput, -1);
    release('Q');
    EXPECT_EQ(game.hands.rollInput, 0);

    press('x');
    release('x');
    EXPECT_EQ(game.hands.thrustInput, 0);
    EXPECT_EQ(game.hands.rollInput, 0);
}

TEST_F(Input, RadioVolumeStepsWithinItsBoundsAndIsAlwaysResent)
{
    game.radioVolume = 245;
    press('+');
    EXPECT_EQ(game.radioVolume, 250);
    press('+');
    EXPECT_EQ(game.radioVolume, 250);
    game.radioVolume = 248;
    press('+');
    EXPECT_EQ(game.radioVolume, 248);

    game.radioVolume = 5;
    press('-');
    EXPECT_EQ(game.radioVolume, 0);
    press('-');
    EXPECT_EQ(game.radioVolume, 0);

    EXPECT_EQ(sound.calls,
              (std::vector<SoundCall>{volumeSet(CHANNEL_RADIO, 250), volumeSet(CHANNEL_RADIO, 250),
                                      volumeSet(CHANNEL_RADIO, 248), volumeSet(CHANNEL_RADIO, 0),
                                      volumeSet(CHANNEL_RADIO, 0)}));

    // From the start value the volume stays on multiples of 5.
    game.radioVolume = RADIO_VOLUME_START;
    for (int k = 0; k < 60; ++k) {
        press('+');
    }
    EXPECT_EQ(game.radioVolume, 250);
    for (int k = 0; k < 60; ++k) {
        press('-');
    }
    EXPECT_EQ(game.radioVolume, 0);
}

TEST_F(Input, LetterTogglesWorkInBothCases)
{
    press('h');
    press('I');
    press('o');
    EXPECT_EQ(game.view.showHighScores, 1);
    EXPECT_EQ(game.view.showCourseLine, 1);
    EXPECT_EQ(game.view.showOctree, 1);
    press('H');
    press('i');
    press('O');
    EXPECT_EQ(game.view.showHighScores, 0);
    EXPECT_EQ(game.view.showCourseLine, 0);
    EXPECT_EQ(game.view.showOctree, 0);
    EXPECT_EQ(game.view.optionsOverlayTimer, 0.0f);
}

TEST_F(Input, FunctionKeysToggleAndTheFivePanelOptionsShowThePanel)
{
    special(KEY_F2);
    special(KEY_F3);
    special(KEY_F10);
    EXPECT_EQ(game.view.showFps, 1);
    EXPECT_EQ(game.view.wireframe, 1);
    EXPECT_EQ(game.view.faceCulling, 1);
    EXPECT_EQ(game.view.optionsOverlayTimer, 0.0f);

    struct {
        int key;
        int* flag;
        int start;
    } panel[] = {{KEY_F4, &game.view.textureFilter, 1},  {KEY_F5, &game.view.mipMapping, 1},
                 {KEY_F7, &game.view.displayLists, 0},   {KEY_F8, &game.view.frustumCulling, 0},
                 {KEY_F9, &game.view.transparency, 1}};
    for (const auto& option : panel) {
        game.view.optionsOverlayTimer = -3.0f;
        special(option.key);
        EXPECT_EQ(*option.flag, 1 - option.start) << option.key;
        EXPECT_EQ(game.view.optionsOverlayTimer, 1500.0f) << option.key;
    }
    EXPECT_EQ(filterCalls, 2);
    EXPECT_EQ(listCalls, 1);

    for (int inert : {1, 6, 11, 12, 100, 101, 102, 103}) {  // F1, F6, F11, F12, arrows
        special(inert);
    }
    EXPECT_EQ(game.view.showFps, 1);
    EXPECT_EQ(game.view.textureFilter, 0);
    EXPECT_EQ(filterCalls, 2);
}

TEST_F(Input, F4TwiceRestartsThePanelAndLeavesTheFilter)
{
    special(KEY_F4);
    // The panel counts down in the app's side of a played frame.
    scriptedTime() += 1000.0f;
    advanceFrame(game, scriptedTime());
    EXPECT_EQ(game.view.optionsOverlayTimer, 500.0f);
    special(KEY_F4);
    EXPECT_EQ(game.view.optionsOverlayTimer, 1500.0f);
    EXPECT_EQ(game.view.textureFilter, 1);
    EXPECT_EQ(filterCalls, 2);
}

TEST_F(Input, CtrlAloneHoldsFireEveryOtherCombinationLaunches)
{
    // A launch is the next frame's.
    heldModifiers = MODIFIER_CTRL;
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
    frame(16.5f);
    EXPECT_EQ(launched(), 0);

    const int firing[] = {0, MODIFIER_SHIFT, MODIFIER_ALT, MODIFIER_CTRL | MODIFIER_SHIFT,
                          MODIFIER_CTRL | MODIFIER_ALT};
    int expected = 0;
    for (int mods : firing) {
        heldModifiers = mods;
        world.rocketCooldown = 0;
        onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN);
        frame(16.5f);
        EXPECT_EQ(launched(), ++expected) << "modifiers " << mods;
    }

    heldModifiers = 0;
    world.rocketCooldown = 0;
    onMouseButton(game, MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP);
    onMouseButton(game, 2, MOUSE_BUTTON_DOWN);  // right button
    onMouseButton(game, 1, MOUSE_BUTTON_DOWN);  // middle button
    frame(16.5f);
    EXPECT_EQ(launched(), expected);
}

TEST_F(Input, EscapeDownOrUpEndsTheRunWithStatusZero)
{
    press(KEY_ESCAPE);
    release(KEY_ESCAPE);
    EXPECT_EQ(exitStatuses, (std::vector<int>{0, 0}));
}
