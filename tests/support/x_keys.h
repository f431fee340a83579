// Key presses sent through the X server with XTest, with Shift pressed for
// characters that need it, as a user's keyboard would send them.
#pragma once
#include <X11/Xlib.h>

#include <string>

// Types each character of keys ('\r' or '\n' is Return).
void xtest_type(Display *display, const std::string &keys);
// Presses and releases the key of keysym.
void xtest_press_keysym(Display *display, KeySym keysym);
// Presses keysym with Control held.
void xtest_control_key(Display *display, KeySym keysym);
// Moves the pointer to (x, y) of the root window.
void xtest_move_pointer(Display *display, int x, int y);
// Presses and releases mouse button b.
void xtest_click(Display *display, unsigned int b);
