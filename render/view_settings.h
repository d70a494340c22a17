// How the player has the picture set: the display switches and overlay panels
// of the controls table. The app owns one and hands it to the drawing with the
// world; none of it is the world's, so switching it changes no frame of the
// race and no digest.
#pragma once

// How long the options panel shows after an option key, ms.
constexpr float OPTIONS_PANEL_MS = 1500.0f;

struct ViewSettings {
    int showFps = 0;         // F2: frame rate
    int wireframe = 0;       // F3
    int textureFilter = 1;   // F4: linear filtering
    int mipMapping = 1;      // F5
    int displayLists = 0;    // F7: the asteroids through display lists
    int frustumCulling = 0;  // F8: only the octree cubes in view
    int transparency = 1;    // F9: blended sprites
    int faceCulling = 0;     // F10
    int showHighScores = 0;  // H
    int showCourseLine = 0;  // I
    int showOctree = 0;      // O: the octree's leaf cubes
    int showGhost = 0;       // G: the ghost of the best lap and its splits
    // The options panel's time left, ms; not above 0 means hidden. An option
    // key sets it, every played frame counts it down by the frame's length.
    float optionsOverlayTimer = 0.0f;
    // The overlay's text factor, 1 to 4; 0 lets the window's size choose.
    int hudScale = 0;
    // The course's colours (render/palette.h): 0 designed, 1 safe.
    int palette = 0;
    // Waiting for the retrace between frames (1) or not.
    int vsync = 0;
    // The cockpit and its radar; off for a view from outside the craft.
    int showCockpit = 1;
    // The window's width over its height, as the last reshape left it.
    double windowAspect = 4.0 / 3.0;
};
