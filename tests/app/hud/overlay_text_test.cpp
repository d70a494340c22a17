#include "app/files/high_scores.h"
#include "app/files/options.h"
#include "app/hud/overlay_text.h"
#include "app/input/controls.h"
#include "app/input/input.h"
#include "app/loop/frame_cues.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "support/sim_world.h"

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {
class OverlayText : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        savedFirst = highScoreList.first;
        highScoreList.first = &entries[0];
        entries[0] = HighScoreEntry{};  // the placeholder: time 0, no name
    }
    void TearDown() override
    {
        highScoreList.first = savedFirst;
        SimWorld::TearDown();
    }

    // A played frame at the scripted clock's reading, the app's side included.
    void playTo(float nowMs)
    {
        scriptedTime() = nowMs;
        advanceFrame(game, nowMs);
    }

    // Fills the list with count entries named P1, P2, ... of 60 + i seconds.
    void fillList(int count)
    {
        for (int i = 0; i < count; ++i) {
            entries[i] = HighScoreEntry{};
            std::snprintf(entries[i].name, sizeof entries[i].name, "P%d", i + 1);
            entries[i].time = (60.0f + i) * 1000.0f;
            entries[i].next = i + 1 < count ? &entries[i + 1] : nullptr;
        }
    }

    OverlayLines compose()
    {
        OverlayLines lines;
        composeOverlay(lines, game, scriptedTime());
        return lines;
    }

    static const OverlayLine* find(const OverlayLines& lines, const std::string& prefix)
    {
        for (int i = 0; i < lines.count; ++i) {
            if (std::strncmp(lines.lines[i].text, prefix.c_str(), prefix.size()) == 0) {
                return &lines.lines[i];
            }
        }
        return nullptr;
    }

    static std::vector<std::string> texts(const OverlayLines& lines)
    {
        std::vector<std::string> out;
        for (int i = 0; i < lines.count; ++i) {
            out.emplace_back(lines.lines[i].text);
        }
        return out;
    }

    HighScoreEntry entries[15];
    HighScoreEntry* savedFirst = nullptr;
};
}  // namespace

TEST_F(OverlayText, LapLinesBeforeAnyLapAndDuringOne)
{
    scriptedTime() = 90000.0f;  // the clock runs, but no gate has been passed
    OverlayLines lines = compose();
    EXPECT_STREQ(find(lines, "Best Lap:")->text, "Best Lap: 1000.00 ");
    EXPECT_STREQ(find(lines, "Last Lap:")->text, "Last Lap: 0000.00 ");
    EXPECT_STREQ(find(lines, "Time:")->text, "Time: 0000.00 ");

    world.lapStartTime = 1000.0f;
    scriptedTime() = 62234.5f;
    world.lastLapTime = 75250.0f;
    world.bestLapTime = 60500.0f;
    lines = compose();
    EXPECT_STREQ(find(lines, "Time:")->text, "Time: 0061.23 ");
    EXPECT_STREQ(find(lines, "Last Lap:")->text, "Last Lap: 0075.25 ");
    EXPECT_STREQ(find(lines, "Best Lap:")->text, "Best Lap: 0060.50 ");
    const OverlayLine* time = find(lines, "Time:");
    EXPECT_FLOAT_EQ(time->x, 0.45f);
    EXPECT_FLOAT_EQ(time->y, 0.95f);
}

TEST_F(OverlayText, HighScoreTableAndItsBottomLine)
{
    fillList(3);
    game.view.showHighScores = 1;
    OverlayLines lines = compose();
    ASSERT_NE(find(lines, "3. P3 "), nullptr);
    EXPECT_EQ(find(lines, "4. "), nullptr);
    EXPECT_STREQ(find(lines, "3th Time")->text, "3th Time: 0062.00");
    const OverlayLine* third = find(lines, "3. ");
    EXPECT_FLOAT_EQ(third->x, 0.35f);
    EXPECT_FLOAT_EQ(third->y, static_cast<float>(0.8 - 0.03f * 2));
    EXPECT_EQ(third->font, FONT_LARGE);
    // The time of a row stands on the row's baseline at 0.6.
    const OverlayLine* thirdTime = third + 1;
    EXPECT_STREQ(thirdTime->text, "0062.00");
    EXPECT_FLOAT_EQ(thirdTime->x, 0.6f);
    EXPECT_EQ(thirdTime->y, third->y);

    fillList(15);
    lines = compose();
    EXPECT_NE(find(lines, "11. P11 "), nullptr);
    EXPECT_EQ(find(lines, "12. "), nullptr);
    const OverlayLine* bottom = find(lines, "11th Time");
    ASSERT_NE(bottom, nullptr);
    EXPECT_STREQ(bottom->text, "11th Time: 0070.00");
    EXPECT_EQ(bottom->font, FONT_SMALL);

    // Hidden table: no rows, but the bottom line stays.
    game.view.showHighScores = 0;
    lines = compose();
    EXPECT_EQ(find(lines, "1. "), nullptr);
    EXPECT_NE(find(lines, "11th Time"), nullptr);
}

TEST_F(OverlayText, PlaceholderEntryShowsANeutralName)
{
    game.view.showHighScores = 1;
    const OverlayLines lines = compose();
    EXPECT_NE(find(lines, "1. --- "), nullptr);
    EXPECT_STREQ(find(lines, "1th Time")->text, "1th Time: 0000.00");
}

TEST_F(OverlayText, SpeedReadsInThousandthsWithItsLabelJustLeft)
{
    world.flightSpeed = TOP_SPEED;
    const OverlayLines lines = compose();
    const OverlayLine* number = find(lines, "600.00");
    ASSERT_NE(number, nullptr);
    EXPECT_STREQ(number->text, "600.00 ");
    EXPECT_FLOAT_EQ(number->x, 0.48f);
    EXPECT_FLOAT_EQ(number->y, 0.12f);
    EXPECT_EQ(number->anchor, ANCHOR_LEFT);
    const OverlayLine* label = find(lines, "Speed:");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->anchor, ANCHOR_RIGHT);
    EXPECT_EQ(label->x, number->x);
    EXPECT_EQ(label->y, number->y);

    world.flightSpeed = 0.0123f;
    EXPECT_NE(find(compose(), "012.30 "), nullptr);
}

TEST_F(OverlayText, OptionsPanelShowsFor1500MsAndRestartsOnTheNextKey)
{
    EXPECT_EQ(find(compose(), "Texturfilter"), nullptr);

    // What an option key does to the panel timer.
    game.view.optionsOverlayTimer = 1500.0f;
    game.view.transparency = 0;
    playTo(1000.0f);
    OverlayLines lines = compose();
    ASSERT_NE(find(lines, "Transparenz"), nullptr);
    EXPECT_EQ(find(lines, "Transparenz")->red, 1.0f);
    EXPECT_EQ(find(lines, "Transparenz")->green, 0.0f);
    EXPECT_EQ(find(lines, "Texturfilter")->green, 1.0f);
    // The culling line follows the octree culling, not face culling.
    game.view.frustumCulling = 1;
    game.view.faceCulling = 0;
    EXPECT_EQ(find(compose(), "Culling")->green, 1.0f);
    game.view.frustumCulling = 0;
    game.view.transparency = 1;

    game.view.optionsOverlayTimer = 1500.0f;  // a second key 1000 ms after the first
    playTo(2400.0f);
    EXPECT_NE(find(compose(), "Display Lists"), nullptr);
    playTo(2600.0f);
    EXPECT_EQ(find(compose(), "Display Lists"), nullptr);
}

TEST_F(OverlayText, LinesComeInDrawingOrder)
{
    game.view.showFps = 1;
    game.view.showHighScores = 1;
    game.view.optionsOverlayTimer = 1.0f;
    world.rocketCooldown = 1;
    const std::vector<std::string> all = texts(compose());
    const std::vector<std::string> expected = {
        "",  // frame-rate text before its first second
        "Time: 0000.00 ",        "Last Lap: 0000.00 ", "Best Lap: 1000.00 ", "1. --- ",
        "0000.00",               "Texturfilter",       "MipMapping",         "Culling",
        "Transparenz",           "Display Lists",      "Volume Radio: 20 [+][-] ",
        "1th Time: 0000.00",     "Speed: ",            "000.00 ",            "PREPARING ROCKET",
    };
    EXPECT_EQ(all, expected);
}

// The radio hint names the keys the radio answers to now: a character in
// capitals, another key by its name, an action without a key not at all.
TEST_F(OverlayText, TheRadioHintNamesTheRadiosKeys)
{
    const int up = controlActionNamed("radio_up");
    playerOptions.keys.keys[up][0] = characterKey('u');
    playerOptions.keys.keys[up][1] = specialKey(KEY_F12);
    playerOptions.keys.keys[controlActionNamed("radio_down")][0] = InputKey{};
    const OverlayLines lines = compose();
    playerOptions.keys = defaultKeyBindings();
    EXPECT_STREQ(find(lines, "Volume Radio:")->text, "Volume Radio: 20 [U][f12] ");
}

TEST_F(OverlayText, AFullOverlayKeepsEveryLineAddedAfterIt)
{
    fillList(15);
    game.view.showFps = 1;
    game.view.showHighScores = 1;
    game.view.optionsOverlayTimer = 1.0f;
    OverlayLines lines = compose();
    const int full = lines.count;
    for (int i = 0; i < 8; ++i) {
        lines.add(FONT_LARGE, 1.0f, 1.0f, 1.0f, 0.5f, 0.5f, "extra %d", i);
    }
    ASSERT_EQ(lines.count, full + 8);
    EXPECT_STREQ(lines.lines[full + 7].text, "extra 7");
    composeOverlay(lines, game, scriptedTime());  // the next frame starts from its first line
    EXPECT_EQ(texts(lines), texts(compose()));
}

TEST(FrameRate, ChangesOncePerWholeSecondWithTheCallsSinceTheLastChange)
{
    FrameRateCounter counter;
    for (int ms = 0; ms < 1000; ms += 10) {
        counter.tick(ms);
    }
    EXPECT_STREQ(counter.text, "");
    counter.tick(1000);  // the 101st call, in second 1
    EXPECT_STREQ(counter.text, "FPS: 101");
    for (int ms = 1001; ms < 2000; ms += 20) {
        counter.tick(ms);
    }
    EXPECT_STREQ(counter.text, "FPS: 101");
    counter.tick(2000);
    EXPECT_STREQ(counter.text, "FPS: 51");

    // A long stall crosses several seconds: one change, not one per second.
    counter.tick(5500);
    EXPECT_STREQ(counter.text, "FPS: 1");
    counter.tick(5900);
    counter.tick(5999);
    EXPECT_STREQ(counter.text, "FPS: 1");
    counter.tick(6000);
    EXPECT_STREQ(counter.text, "FPS: 3");
}

TEST(FrameRate, WallClockRunsWithRealTimeNotProcessorTime)
{
    const int64_t before = wallClockSinceStart();
    timespec pause{0, 30 * 1000 * 1000};
    nanosleep(&pause, nullptr);  // asleep, using no processor time
    EXPECT_GE(wallClockSinceStart() - before, 29);
    EXPECT_GE(before, 0);
}
