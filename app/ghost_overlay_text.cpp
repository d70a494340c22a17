#include "app/ghost_overlay_text.h"

#include "app/game.h"

namespace {
constexpr float LABEL[3] = {0.6f, 0.85f, 1.0f};
constexpr float AHEAD[3] = {0.2f, 1.0f, 0.2f};
constexpr float BEHIND[3] = {1.0f, 0.2f, 0.2f};
}  // namespace

void composeGhostOverlay(OverlayLines& out, const Game& game, float nowMs)
{
    if (!game.view.showGhost) {
        return;
    }
    out.add(FONT_LARGE, LABEL[0], LABEL[1], LABEL[2], GHOST_LABEL_X, GHOST_LABEL_Y, "GHOST");
    float split = 0.0f;
    if (game.ghost.splitShowing(nowMs, true, split)) {
        const float* colour = split < 0.0f ? AHEAD : BEHIND;
        out.add(FONT_LARGE, colour[0], colour[1], colour[2], GHOST_SPLIT_X, GHOST_SPLIT_Y, "%+.2f", split / 1000.0f);
    }
}
