#include "app/menu/menu_hands.h"

#include "app/loop/exit_sequence.h"
#include "app/loop/game.h"
#include "app/files/options.h"
#include "app/loop/pause.h"
#include "sim/platform_hooks.h"

namespace {

// Keys and the mouse do not read the pads: what the paused idle turn last
// read of them is what they hold.
void actOnMenuByHand(Game& game, MenuOutcome outcome)
{
    actOnMenu(game, outcome, &game.menu.padReader.last, 1);
}

// Where the selection is, on whichever page shows.
int selectionOf(const PauseMenu& menu)
{
    return menu.page == PauseMenu::Page::OPTIONS ? menu.options.selected : menu.selected;
}

bool sameView(const MenuView& a, const MenuView& b)
{
    if (a.title != b.title || a.note != b.note || a.firstLine != b.firstLine || a.lines.size() != b.lines.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        const MenuLine& x = a.lines[i];
        const MenuLine& y = b.lines[i];
        if (x.label != y.label || x.value != y.value || x.extra != y.extra || x.selected != y.selected ||
            x.warning != y.warning) {
            return false;
        }
    }
    return true;
}

}  // namespace

void menuKey(Game& game, InputKey key)
{
    actOnMenuByHand(game, game.menu.key(key));
}

void menuClick(Game& game, int button)
{
    actOnMenuByHand(game, game.menu.click(button, game.hands.lastMouseX, game.hands.lastMouseY));
}

// Motion over the same row draws nothing: a still picture keeps the paused
// machine cool.
void menuHover(Game& game, int x, int y)
{
    const int before = selectionOf(game.menu);
    game.menu.hover(x, y);
    if (selectionOf(game.menu) != before && platformHooks.redisplay) {
        platformHooks.redisplay();
    }
}

// Most reads of the pads change nothing, and draw nothing.
void menuPads(Game& game, const PadState* pads, int count, float nowMs)
{
    const MenuView before = game.menu.view();
    const MenuOutcome outcome = game.menu.pads(pads, count, nowMs);
    if (outcome != MenuOutcome::STAY || !sameView(before, game.menu.view())) {
        actOnMenu(game, outcome, pads, count);
    }
}

void actOnMenu(Game& game, MenuOutcome outcome, const PadState* pads, int count)
{
    switch (outcome) {
    case MenuOutcome::QUIT:
        runExitSequence(game);
        return;
    case MenuOutcome::RESTART:
        game.input.restart();
        [[fallthrough]];
    case MenuOutcome::RESUME:
        adoptHeldPads(game, pads, count);
        resumeGame(game);
        break;
    case MenuOutcome::WATCH:
        watchFromMenu(game, game.menu);
        break;
    case MenuOutcome::STAY:
        break;
    }
    // The options screen changes the option values live; the drawing reads
    // its own copy of the display's.
    game.view.hudScale = static_cast<int>(playerOptions.display.hudScale);
    game.view.palette = static_cast<int>(playerOptions.display.palette);
    const int vsync = playerOptions.display.vsync ? 1 : 0;
    if (game.view.vsync != vsync && platformHooks.setSwapInterval) {
        platformHooks.setSwapInterval(vsync);
    }
    game.view.vsync = vsync;
    if (platformHooks.redisplay) {
        platformHooks.redisplay();
    }
}
