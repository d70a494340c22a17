// The keyboard callbacks the toolkit calls: the core's handlers
// (app/input/input.h), plus the physical keys behind the held actions.
//
// The toolkit names a released key by the character it gives with the
// modifiers held at that moment: W pressed, then Ctrl, then W released
// arrives as 0x17, and 1 with Shift as "!", which no action answers to, so
// thrust would stay on. Each character key that starts a held action is
// therefore remembered with its X key code, and at every key event a held
// key that is no longer down is released, whatever the modifiers did.
#pragma once

struct Game;

void onPhysicalKeyDown(Game& game, unsigned char key);
void onPhysicalKeyUp(Game& game, unsigned char key);
