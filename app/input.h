// Keyboard and mouse handlers, registered as toolkit callbacks. They only set
// inputs and flags, change the radio volume, launch a rocket or end the game;
// the motion they cause happens in the next frame.
#pragma once

constexpr unsigned char KEY_ESCAPE = 27;

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onMouseDrag(int x, int y);
// Mouse-look: motion with no button held turns the view.
void onMouseMove(int x, int y);
