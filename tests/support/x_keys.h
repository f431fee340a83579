// Key presses sent through the X server with XTest, with Shift pressed for
// characters that need it, as a user's keyboard would send them.
#pragma once
#include <X11/Xlib.h>

#include <functional>
#include <string>

// Types each character of keys ('\r' or '\n' is Return; the key codes of
// the arrows, kKeyLeft and the rest cast to char, are the arrow keys).
void xtest_type(Display *display, const std::string &keys);
// Types one character; for one that needs Shift, after_shift runs once the
// Shift press has reached the server and before the character's key, so a
// caller can wait for the program to take the Shift press first.
void xtest_type_char(Display *display, char c, const std::function<void()> &after_shift);
// Presses and releases the key of keysym.
void xtest_press_keysym(Display *display, KeySym keysym);
// Presses keysym with Control held.
void xtest_control_key(Display *display, KeySym keysym);
// Moves the pointer to (x, y) of the root window.
void xtest_move_pointer(Display *display, int x, int y);
// Presses and releases mouse button b.
void xtest_click(Display *display, unsigned int b);
// Presses (down) or releases mouse button b alone.
void xtest_button(Display *display, unsigned int b, bool down);
