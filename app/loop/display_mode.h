// The full-screen display: game mode when the toolkit can set the mode,
// otherwise a full-screen window, so the game also runs where the mode cannot
// be changed (Xvfb, many Wayland sessions).
#pragma once

// Passes the mode string to game mode and enters it; on failure, and at once
// on XWayland (saying so on standard error), opens a full-screen window titled
// "vorel" at the desktop's size. Hides the cursor either way. displayName is
// the toolkit's "-display" argument, nullptr for $DISPLAY.
void enterDisplay(const char* gameModeString, const char* displayName = nullptr);

// Leaves game mode, only if it was entered and the toolkit's main loop has
// not returned (after that every toolkit call aborts the program).
void leaveDisplay();

// The toolkit's main loop has returned.
void displayMainLoopEnded();

// True when game mode was entered (false for the window fallback).
bool displayInGameMode();

// Switches waiting for vertical retrace through the GLX swap-control
// extensions (EXT, then MESA, then SGI), looked up at run time; does nothing
// when none exists. Needs a current context.
void setSwapInterval(int interval);
