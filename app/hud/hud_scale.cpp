#include "app/hud/hud_scale.h"

namespace {
// The overlay was laid out for 768 lines, with its lines as little as 0.03
// of the screen apart. One step per 720 lines gives 1 up to 1439 lines, 2
// from 1440 (1440p) and 3 from 2160 (4K): the text never takes more than
// 768/720 (7%) over its share of the screen's height at 1024x768, so lines
// never crowd into each other, and the two common large heights get the full
// step. Rounding to the nearest step instead would grow the text at 1152
// lines already, a third over its share there.
constexpr int LINES_PER_STEP = 720;
// The lines were placed for a screen 1024 pixels wide: a narrower screen
// (a monitor turned upright) keeps a smaller factor, so no line runs off its
// right edge.
constexpr int COLUMNS_PER_STEP = 1024;
}  // namespace

int hudScale(int width, int height, int forced)
{
    if (forced >= 1 && forced <= HUD_SCALE_MAX) {
        return forced;
    }
    int scale = height / LINES_PER_STEP;
    if (width / COLUMNS_PER_STEP < scale) {
        scale = width / COLUMNS_PER_STEP;
    }
    return scale < 1 ? 1 : scale;
}
