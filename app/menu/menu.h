// The pause menu, GL-free: opened over the still world when the game pauses,
// a vertical list under "PAUSE" that keys, the mouse and the pads drive, a
// confirmation before quitting, and the options screen. The platform side
// hands it raw input and acts on what comes back; it draws view() at the
// places of layout.
#pragma once

#include "app/menu/menu_input.h"
#include "app/menu/menu_view.h"
#include "app/menu/options_screen.h"

#include <string>

// What the game does after an input to the menu.
enum class MenuOutcome {
    STAY,     // the menu stays open
    RESUME,   // back to flight
    RESTART,  // restart the lap, then back to flight
    QUIT,     // end the game as Escape does
    WATCH,    // watch the best lap (app/race/replay_watch.h), the game still paused
};

// The pause list's items, in order: later items go before "Quit", which stays last.
enum PauseItem : int { PAUSE_RESUME, PAUSE_RESTART, PAUSE_OPTIONS, PAUSE_WATCH, PAUSE_QUIT, PAUSE_ITEM_COUNT };
// The confirmation's items: "Cancel" is selected first.
enum QuitItem : int { QUIT_CANCEL, QUIT_CONFIRM, QUIT_ITEM_COUNT };

struct PauseMenu {
    enum class Page { PAUSE, CONFIRM_QUIT, OPTIONS };
    Page page = Page::PAUSE;
    int selected = PAUSE_RESUME;
    OptionsScreen options;
    MenuPadReader padReader;
    MenuLayout layout;
    OverlayLines lines;  // the page as drawn, its storage reused from frame to frame
    std::string message;  // what a failed save said, shown under the list
    int* radio = nullptr;  // the game's radio volume, for the options screen
    bool noReplayToWatch = false;  // "Watch best lap" found no replay: the item says so

    // The game paused: the list with "Resume" selected. What the pads hold
    // now (the Start that paused) acts only once let go. radioVolume is the
    // game's, which the options screen adjusts.
    void open(int* radioVolume = nullptr);
    // A key went down (Escape included). While the options screen waits for
    // a new key, the key is that.
    MenuOutcome key(InputKey key);
    // The pointer moved, in window pixels from the top left: the row under it
    // is selected.
    void hover(int x, int y);
    // A mouse button went down at x, y: a left click takes the row under the
    // pointer; while the options screen waits for a new input, the button is that.
    MenuOutcome click(int button, int x, int y);
    // One frame of the pads at nowMs (the paused idle turn reads them).
    MenuOutcome pads(const PadState* pads, int count, float nowMs);
    // An abstract input, whatever hand gave it.
    MenuOutcome input(MenuInput in);

    MenuView view();

private:
    MenuOutcome leaveOptions(MenuOutcome outcome);
};

