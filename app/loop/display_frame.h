// The frame driver: one callback, registered as both display and idle function,
// runs the update, draws the scene and the overlay and asks for the next frame.
#pragma once

constexpr double FIELD_OF_VIEW_DEG = 45.0;
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 1024.0;

struct Game;

// One frame of the game: the update (unless paused), the scene, the overlay,
// the swap and the request for the next frame.
void displayFrame(Game& game);

void onReshape(int width, int height);
// A window's width over its height; a window shrunk to no height keeps a
// finite one.
double windowAspect(int width, int height);
