// The input handlers live in the toolkit-free core with their own copies of
// the toolkit's key, button and modifier codes; this keeps the copies honest.
#include "app/input/input.h"

#include <GL/freeglut.h>

static_assert(KEY_F1 == GLUT_KEY_F1, "F1");
static_assert(KEY_F2 == GLUT_KEY_F2, "F2");
static_assert(KEY_F3 == GLUT_KEY_F3, "F3");
static_assert(KEY_F4 == GLUT_KEY_F4, "F4");
static_assert(KEY_F5 == GLUT_KEY_F5, "F5");
static_assert(KEY_F7 == GLUT_KEY_F7, "F7");
static_assert(KEY_F8 == GLUT_KEY_F8, "F8");
static_assert(KEY_F9 == GLUT_KEY_F9, "F9");
static_assert(KEY_F10 == GLUT_KEY_F10, "F10");
static_assert(KEY_F12 == GLUT_KEY_F12, "F12");
static_assert(KEY_LEFT == GLUT_KEY_LEFT, "left");
static_assert(KEY_UP == GLUT_KEY_UP, "up");
static_assert(KEY_RIGHT == GLUT_KEY_RIGHT, "right");
static_assert(KEY_DOWN == GLUT_KEY_DOWN, "down");
static_assert(MOUSE_LEFT_BUTTON == GLUT_LEFT_BUTTON, "left button");
static_assert(MOUSE_MIDDLE_BUTTON == GLUT_MIDDLE_BUTTON, "middle button");
static_assert(MOUSE_RIGHT_BUTTON == GLUT_RIGHT_BUTTON, "right button");
static_assert(MOUSE_BUTTON_DOWN == GLUT_DOWN, "button down");
static_assert(MOUSE_BUTTON_UP == GLUT_UP, "button up");
static_assert(MODIFIER_SHIFT == GLUT_ACTIVE_SHIFT, "Shift");
static_assert(MODIFIER_CTRL == GLUT_ACTIVE_CTRL, "Ctrl");
static_assert(MODIFIER_ALT == GLUT_ACTIVE_ALT, "Alt");
