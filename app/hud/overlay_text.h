// The text overlay's lines, formatted from the game state without GL: what
// each line says, its font, colour and place. drawOverlay (app/hud/overlay.h)
// hands them to drawText.
#pragma once

#include <cstdint>
#include <vector>

enum OverlayFont : int { FONT_LARGE, FONT_SMALL };  // bitmap Helvetica 18 and 12

// How a line's x is read: the left end of the text, its right end (for a
// label that has to sit just left of a value), or its middle.
enum OverlayAnchor : int { ANCHOR_LEFT, ANCHOR_RIGHT, ANCHOR_CENTRE };

constexpr int OVERLAY_TEXT_MAX = 48;
// The table shows this many entries at most.
constexpr int HIGH_SCORE_ROWS = 11;
// Name shown for the high-score list's placeholder (no file was read).
constexpr const char* PLACEHOLDER_NAME = "---";

// A line at (x, y) in window fractions, (0, 0) bottom left; y is the baseline.
struct OverlayLine {
    char text[OVERLAY_TEXT_MAX] = "";
    OverlayFont font = FONT_LARGE;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    OverlayAnchor anchor = ANCHOR_LEFT;
};

// This frame's lines: the first count of lines. The storage grows with what is
// composed, so a line added to the overlay can never fall off its end, and is
// kept from frame to frame, so a frame allocates nothing once it has been full.
struct OverlayLines {
    std::vector<OverlayLine> lines;
    int count = 0;

    // Appends a formatted line.
    OverlayLine& add(OverlayFont font, float red, float green, float blue, float x, float y, const char* format,
                     ...) __attribute__((format(printf, 8, 9)));
};

// Frame rate: the number of overlay calls between two changes of whole
// seconds of the wall clock. The text changes at most once a second and is
// kept up to date whether or not it is shown.
struct FrameRateCounter {
    float calls = 0.0f;
    int64_t lastSecond = 0;
    char text[32] = "";

    // Counts one overlay call at nowMs milliseconds of wall-clock time since
    // the program started.
    void tick(int64_t nowMs);
};

// Wall-clock milliseconds since the program started, from a monotonic clock
// (not processor time, which stands still while the game waits on the GPU):
// what drawOverlay hands the frame-rate counter.
int64_t wallClockSinceStart();

struct Game;

// Lists this frame's lines in drawing order from the current game state;
// nowMs is the frame clock's reading, for the running lap.
void composeOverlay(OverlayLines& out, const Game& game, float nowMs);
