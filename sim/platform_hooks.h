// What the GL-free core asks of the platform: the game installs the toolkit,
// renderer and sound versions at start-up; tests install recorders. A null
// hook does nothing.
#pragma once

struct Asteroid;
struct ViewSettings;

struct PlatformHooks {
    // Moves the pointer to window pixel (x, y) (mouse-look band).
    void (*warpPointer)(int x, int y) = nullptr;
    // Modifier keys held with the current mouse event, as glutGetModifiers reports them.
    int (*modifiers)() = nullptr;
    // Re-sets the filters of every texture from the two switches (F4, F5).
    void (*applyTextureFilter)(int textureFilter, int mipMapping) = nullptr;
    // Builds the display lists of the field's asteroids, or deletes them, as
    // view.displayLists now says (F7); a failed build turns it back off.
    void (*toggleAsteroidLists)(ViewSettings& view, const Asteroid* field) = nullptr;
    // Asks for the window to be drawn again (the pause menu changed while
    // the paused loop draws nothing by itself).
    void (*redisplay)() = nullptr;
    // Waits for the retrace between frames (1) or not (0).
    void (*setSwapInterval)(int interval) = nullptr;
    // Exit: leaves game mode if it was entered.
    void (*leaveDisplay)() = nullptr;
    // Exit: stops every channel and closes the sound device.
    void (*closeSound)() = nullptr;
    // Exit: ends the process; std::exit unless a test catches it.
    void (*exitProcess)(int status) = nullptr;
};

// Installed once at start-up (tests install their own): the core reaches
// the toolkit through it from within the toolkit's callbacks.
extern PlatformHooks platformHooks;
