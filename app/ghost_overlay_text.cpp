#include "app/ghost_overlay_text.h"

#include "app/ghost_race.h"
#include "render/palette.h"

namespace {
constexpr float LABEL[3] = {0.6f, 0.85f, 1.0f};
}  // namespace

void composeGhostOverlay(OverlayLines& out, float nowMs)
{
    if (!showGhost) {
        return;
    }
    out.add(FONT_LARGE, LABEL[0], LABEL[1], LABEL[2], GHOST_LABEL_X, GHOST_LABEL_Y, "GHOST");
    float split = 0.0f;
    if (ghostRace.splitShowing(nowMs, split)) {
        const PaletteColour& colour = split < 0.0f ? viewPalette().splitAhead : viewPalette().splitBehind;
        out.add(FONT_LARGE, colour.red, colour.green, colour.blue, GHOST_SPLIT_X, GHOST_SPLIT_Y, "%+.2f", split / 1000.0f);
    }
}
