// Which X server the game talks to. XWayland (the X server of a Wayland
// desktop) only pretends to change video modes, and some versions crash on
// the toolkit's mode query, so the display opens differently there.
#pragma once

// The X display the toolkit will open: the value of a "-display" argument, or
// nullptr for $DISPLAY. Call it before glutInit, which removes the argument.
const char* displayNameArgument(int argc, char** argv);

// True when the named display (nullptr: $DISPLAY) is XWayland. A set
// WAYLAND_DISPLAY proves nothing (an X server of its own may run inside a
// Wayland session), so the server itself is asked: newer XWayland offers the
// "XWAYLAND" extension, older ones name their RandR outputs "XWAYLAND0" and on.
bool displayIsXWayland(const char* displayName);
