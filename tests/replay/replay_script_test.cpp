#include "replay/replay_script.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

bool parse(const std::string& text, InputScript& script, std::string& error)
{
    std::istringstream in(text);
    return parseInputScript(in, script, error);
}

const std::string SETTINGS = "seed 7\nframes 100\nframe-ms 15 17 16.5\n";

}  // namespace

TEST(ReplayScript, EveryEventSurvivesWritingAndReading)
{
    InputScript script;
    script.seed = 4294967295u;
    script.frameCount = 50;
    script.frameMs = {15.0f, 17.0f, 16.5f, 0.1f};
    script.events = {
        {0, InputKind::KeyDown, 'w', 0, 0},    {0, InputKind::KeyUp, '#', 0, 0},
        {3, InputKind::KeyDown, '~', 0, 0},    {3, InputKind::Special, 8, 0, 0},
        {3, InputKind::Button, 0, 0, 7},       {4, InputKind::Button, 2, 1, 2},
        {4, InputKind::Move, -5, 32767, 0},    {4, InputKind::Echo, 200, 123, 0},
        {49, InputKind::Drag, 1023, -32768, 0},
    };
    std::ostringstream out;
    writeInputScript(out, script, {"two lines", "of header"});
    EXPECT_EQ(out.str().rfind("# two lines\n# of header\n", 0), 0u);

    InputScript back;
    std::string error;
    ASSERT_TRUE(parse(out.str(), back, error)) << error;
    EXPECT_EQ(back.seed, script.seed);
    EXPECT_EQ(back.frameCount, script.frameCount);
    EXPECT_EQ(back.frameMs, script.frameMs);
    EXPECT_EQ(back.events, script.events);
    // The pattern repeats from frame 0.
    EXPECT_EQ(back.frameDuration(4), 15.0f);
    EXPECT_EQ(back.frameDuration(7), 0.1f);
}

TEST(ReplayScript, CommentsBlankLinesAndSpacingAreIgnored)
{
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse("# a run\n\n  seed 7\nframes 100\n\tframe-ms 16.5\n# more\n 5   move 10  20 \n", script,
                      error))
        << error;
    ASSERT_EQ(script.events.size(), 1u);
    EXPECT_EQ(script.events[0], (InputEvent{5, InputKind::Move, 10, 20, 0}));
}

// Each broken script is refused with the line at fault.
TEST(ReplayScript, BrokenScriptsAreRefusedWithTheirLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {SETTINGS + "3 jump 1\n", "line 4: unknown event \"jump\""},
        {SETTINGS + "3 key-down ab\n", "line 4: key-down takes one printable character"},
        {SETTINGS + "3 key-up\n", "line 4: key-up takes one printable character"},
        {SETTINGS + "3\n", "line 4: an event line needs an event"},
        {SETTINGS + "5 move 1 1\n4 move 1 1\n", "line 5: frame 4 comes after frame 5"},
        {SETTINGS + "-1 move 1 1\n", "line 4: frame number \"-1\""},
        {SETTINGS + "2x move 1 1\n", "line 4: frame number \"2x\""},
        {SETTINGS + "3 move 1\n", "line 4: move takes a pointer position"},
        {SETTINGS + "3 echo 1 40000\n", "line 4: echo takes a pointer position"},
        {SETTINGS + "3 button 3 down 0\n", "line 4: button takes"},
        {SETTINGS + "3 button 0 sideways 0\n", "line 4: button takes"},
        {SETTINGS + "3 button 0 down 8\n", "line 4: button takes"},
        {SETTINGS + "3 special 256\n", "line 4: special takes"},
        {SETTINGS + "seed 8\n", "line 4: seed must be given once"},
        {"seed 4294967296\n", "line 1: seed must be given once"},
        {"seed -1\n", "line 1: seed must be given once"},
        {"frames 0\n", "line 1: frames must be given once"},
        {"frame-ms\n", "line 1: frame-ms must be given once, with 1 to 16 durations"},
        {"frame-ms 0\n", "line 1: frame duration \"0\" is not a number above 0"},
        {"frame-ms 1000.5\n", "line 1: frame duration \"1000.5\""},
        {"frame-ms 16,5\n", "line 1: frame duration \"16,5\""},
        {"speed 3\n", "line 1: unknown setting \"speed\""},
        {"seed 1\nframes 10\n", "the script needs seed, frames and frame-ms"},
        {SETTINGS + "100 move 1 1\n", "an event at frame 100 lies beyond the 100 frames"},
    };
    for (const auto& c : cases) {
        InputScript script;
        std::string error;
        EXPECT_FALSE(parse(c.first, script, error)) << c.first;
        EXPECT_EQ(error.rfind(c.second, 0), 0u) << "script:\n" << c.first << "error: " << error;
    }
}
