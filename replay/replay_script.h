// A recorded input script: everything a player did during a run, frame by
// frame, so the run can be replayed headless and give the same world.
//
// Text, one item per line; blank lines and lines starting with '#' are
// comments. Three settings, each once:
//   seed <n>                  the random seed the world is set up from (0 to 4294967295)
//   frames <n>                how many frames the run lasts (1 to 10000000)
//   frame-ms <ms> [<ms> ...]  frame durations in milliseconds, repeated in
//                             turn from frame 0 (1 to 16 values, each above 0
//                             and at most 1000)
// and events, "<frame> <event> <arguments>", in order of frame number. The
// events of frame f are handled, in file order, before frame f's update:
//   <f> key-down <c>          a key with the printable character c (! to ~) pressed
//   <f> key-up <c>            and released
//   <f> special <code>        a function or special key by its toolkit code (F2 is 2)
//   <f> button <b> down|up <m>  mouse button b (0 left, 1 middle, 2 right)
//                             pressed or released, with modifier mask m
//                             held (1 Shift, 2 Ctrl, 4 Alt)
//   <f> move <x> <y>          the player's hand moved the pointer, no button held
//   <f> echo <x> <y>          the motion event X11 sends at the target of a
//                             pointer warp the game asked for; it must answer
//                             an outstanding warp (earlier unanswered ones
//                             count as dropped)
//   <f> drag <x> <y>          pointer motion with a button held
// Escape cannot be recorded: it ends the game.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

enum class InputKind { KeyDown, KeyUp, Special, Button, Move, Echo, Drag };

struct InputEvent {
    int frame = 0;
    InputKind kind = InputKind::KeyDown;
    // KeyDown, KeyUp: a = character. Special: a = key code.
    // Button: a = button, b = state (0 down, 1 up), c = modifier mask.
    // Move, Echo, Drag: a = x, b = y.
    int a = 0;
    int b = 0;
    int c = 0;

    bool operator==(const InputEvent& o) const
    {
        return frame == o.frame && kind == o.kind && a == o.a && b == o.b && c == o.c;
    }
};

constexpr int SCRIPT_MAX_FRAMES = 10000000;
constexpr int SCRIPT_MAX_PATTERN = 16;
constexpr float SCRIPT_MAX_FRAME_MS = 1000.0f;

struct InputScript {
    uint32_t seed = 0;
    int frameCount = 0;
    std::vector<float> frameMs;      // repeating pattern of frame durations
    std::vector<InputEvent> events;  // in order of frame number

    float frameDuration(int frame) const { return frameMs[static_cast<size_t>(frame) % frameMs.size()]; }
};

// Reads a whole script. On failure returns false and says in error which
// line is wrong and why; script then holds what was read before it.
bool parseInputScript(std::istream& in, InputScript& script, std::string& error);

// Writes the script in the format above, readable by parseInputScript, with
// comment lines given in header first (each written after "# ").
void writeInputScript(std::ostream& out, const InputScript& script, const std::vector<std::string>& header);
