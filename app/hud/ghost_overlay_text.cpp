#include "app/hud/ghost_overlay_text.h"

#include "app/loop/game.h"
#include "render/palette.h"

namespace {
constexpr float LABEL[3] = {0.6f, 0.85f, 1.0f};
}  // namespace

void composeGhostOverlay(OverlayLines& out, const Game& game, float nowMs)
{
    if (!game.view.showGhost) {
        return;
    }
    out.add(FONT_LARGE, LABEL[0], LABEL[1], LABEL[2], GHOST_LABEL_X, GHOST_LABEL_Y, "GHOST");
    float split = 0.0f;
    if (game.ghost.splitShowing(nowMs, true, split)) {
        const Palette& palette = paletteOf(game.view.palette);
        const PaletteColour& colour = split < 0.0f ? palette.splitAhead : palette.splitBehind;
        out.add(FONT_LARGE, colour.red, colour.green, colour.blue, GHOST_SPLIT_X, GHOST_SPLIT_Y, "%+.2f",
                split / 1000.0f);
    }
}
