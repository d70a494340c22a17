#include "app/menu/menu.h"

#include "app/input/input.h"
#include "app/files/options.h"


namespace {

const char* const PAUSE_TITLE = "PAUSE";
const char* const PAUSE_ITEMS[PAUSE_ITEM_COUNT] = {"Resume", "Restart lap", "Options", "Watch best lap", "Quit"};
const char* const NO_REPLAY_ITEM = "Watch best lap: none yet";
const char* const QUIT_TITLE = "Quit the game?";
const char* const QUIT_ITEMS[QUIT_ITEM_COUNT] = {"Cancel", "Quit"};

// The selection moves one item and stops at both ends.
int moved(int selected, MenuInput in, int count)
{
    if (in == MenuInput::UP && selected > 0) {
        return selected - 1;
    }
    if (in == MenuInput::DOWN && selected < count - 1) {
        return selected + 1;
    }
    return selected;
}

int itemCount(PauseMenu::Page page)
{
    return page == PauseMenu::Page::PAUSE ? static_cast<int>(PAUSE_ITEM_COUNT) : static_cast<int>(QUIT_ITEM_COUNT);
}

}  // namespace

void PauseMenu::open(int* radioVolume)
{
    radio = radioVolume;
    page = Page::PAUSE;
    selected = PAUSE_RESUME;
    message.clear();
    noReplayToWatch = false;
    padReader.reset();
}

MenuOutcome PauseMenu::leaveOptions(MenuOutcome outcome)
{
    message = options.save();
    page = Page::PAUSE;
    selected = PAUSE_OPTIONS;
    return outcome;
}

MenuOutcome PauseMenu::input(MenuInput in)
{
    if (in == MenuInput::RESUME) {
        return page == Page::OPTIONS ? leaveOptions(MenuOutcome::RESUME) : MenuOutcome::RESUME;
    }
    switch (page) {
    case Page::OPTIONS:
        return options.input(in) ? leaveOptions(MenuOutcome::STAY) : MenuOutcome::STAY;
    case Page::CONFIRM_QUIT:
        if (in == MenuInput::TAKE && selected == QUIT_CONFIRM) {
            return MenuOutcome::QUIT;
        }
        if (in == MenuInput::TAKE || in == MenuInput::BACK) {
            page = Page::PAUSE;
            selected = PAUSE_QUIT;
            return MenuOutcome::STAY;
        }
        selected = moved(selected, in, itemCount(page));
        return MenuOutcome::STAY;
    case Page::PAUSE:
        break;
    }
    if (in == MenuInput::BACK) {
        return MenuOutcome::RESUME;
    }
    if (in != MenuInput::TAKE) {
        selected = moved(selected, in, itemCount(page));
        return MenuOutcome::STAY;
    }
    message.clear();
    switch (selected) {
    case PAUSE_RESUME:
        return MenuOutcome::RESUME;
    case PAUSE_RESTART:
        return MenuOutcome::RESTART;
    case PAUSE_OPTIONS:
        page = Page::OPTIONS;
        options.open(radio);
        return MenuOutcome::STAY;
    case PAUSE_WATCH:
        return MenuOutcome::WATCH;
    default:
        page = Page::CONFIRM_QUIT;
        selected = QUIT_CANCEL;
        return MenuOutcome::STAY;
    }
}

MenuOutcome PauseMenu::key(InputKey key)
{
    if (page == Page::OPTIONS && options.capturingInput()) {
        options.key(key);
        return MenuOutcome::STAY;
    }
    return input(menuInputForKey(key));
}

void PauseMenu::hover(int x, int y)
{
    const int row = layout.rowAt(x, y);
    if (page == Page::OPTIONS) {
        options.hover(row);
        return;
    }
    if (row >= 0 && row < itemCount(page)) {
        selected = row;
    }
}

MenuOutcome PauseMenu::click(int button, int x, int y)
{
    if (page == Page::OPTIONS && options.capturingInput()) {
        options.key(mouseKey(button));
        return MenuOutcome::STAY;
    }
    const int row = layout.rowAt(x, y);
    if (button != MOUSE_LEFT_BUTTON || row < 0) {
        return MenuOutcome::STAY;
    }
    hover(x, y);
    // Only a row that is there, and can be selected, is taken.
    const bool onRow = page == Page::OPTIONS ? options.selected == options.firstShown + row
                                             : row < itemCount(page);
    return onRow ? input(MenuInput::TAKE) : MenuOutcome::STAY;
}

MenuOutcome PauseMenu::pads(const PadState* pads, int count, float nowMs)
{
    const PadState pad = combinePads(pads, count);
    std::vector<PadInput> pressed;
    const bool capturing = page == Page::OPTIONS && options.capturingInput();
    const std::vector<MenuInput> inputs = padReader.read(pad, playerOptions.pad.deadzone, nowMs, &pressed);
    if (capturing) {
        options.padPressed(pressed);
        return MenuOutcome::STAY;
    }
    for (MenuInput in : inputs) {
        const MenuOutcome outcome = input(in);
        if (outcome != MenuOutcome::STAY) {
            return outcome;
        }
    }
    return MenuOutcome::STAY;
}

MenuView PauseMenu::view()
{
    if (page == Page::OPTIONS) {
        return options.view(layout.visibleRows());
    }
    MenuView view;
    const bool quitting = page == Page::CONFIRM_QUIT;
    view.title = quitting ? QUIT_TITLE : PAUSE_TITLE;
    for (int i = 0; i < itemCount(page); ++i) {
        MenuLine line;
        line.label = quitting ? QUIT_ITEMS[i] : PAUSE_ITEMS[i];
        if (!quitting && i == PAUSE_WATCH && noReplayToWatch) {
            line.label = NO_REPLAY_ITEM;
        }
        line.selected = i == selected;
        view.lines.push_back(line);
    }
    view.note = message;
    view.noteWarning = !message.empty();
    return view;
}
