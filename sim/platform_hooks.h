// What the GL-free core asks of the platform: the game installs the toolkit,
// renderer and sound versions at start-up; tests install recorders. A null
// hook does nothing.
#pragma once

struct PlatformHooks {
    // Moves the pointer to window pixel (x, y) (mouse-look band).
    void (*warpPointer)(int x, int y) = nullptr;
    // Modifier keys held with the current mouse event, as glutGetModifiers reports them.
    int (*modifiers)() = nullptr;
    // Re-sets the filters of every texture from textureFilter and mipMapping (F4, F5).
    void (*applyTextureFilter)() = nullptr;
    // Builds the asteroid display lists, or deletes them if they exist (F7).
    void (*toggleAsteroidLists)() = nullptr;
    // Exit: leaves game mode if it was entered.
    void (*leaveDisplay)() = nullptr;
    // Exit: stops every channel and closes the sound device.
    void (*closeSound)() = nullptr;
    // Exit: ends the process; std::exit unless a test catches it.
    void (*exitProcess)(int status) = nullptr;
};

extern PlatformHooks platformHooks;
