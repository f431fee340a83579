// XTest key and pointer events (see x_keys.h).
#include "support/x_keys.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "ui/screen/globals.h"

namespace {

KeySym
keysym_of(char c)
{
    switch (c) {
    case '\r':
    case '\n':
        return XK_Return;
    case ' ':
        return XK_space;
    case '\b':
        return XK_BackSpace;
    case static_cast<char>(kKeyLeft):
        return XK_Left;
    case static_cast<char>(kKeyRight):
        return XK_Right;
    case static_cast<char>(kKeyUp):
        return XK_Up;
    case static_cast<char>(kKeyDown):
        return XK_Down;
    default:
        return static_cast<KeySym>(static_cast<unsigned char>(c));
    }
}

void
press(Display *display, KeyCode code)
{
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

} // namespace

void
xtest_type(Display *display, const std::string &keys)
{
    for (char c : keys)
        xtest_type_char(display, c, [] {});
}

void
xtest_type_char(Display *display, char c, const std::function<void()> &after_shift)
{
    KeySym keysym = keysym_of(c);
    KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0)
        return;
    KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym;
    if (shifted) {
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
        XSync(display, False);
        after_shift();
    }
    press(display, code);
    if (shifted)
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
}

void
xtest_press_keysym(Display *display, KeySym keysym)
{
    press(display, XKeysymToKeycode(display, keysym));
    XSync(display, False);
}

void
xtest_control_key(Display *display, KeySym keysym)
{
    KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    press(display, XKeysymToKeycode(display, keysym));
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    XSync(display, False);
}

void
xtest_move_pointer(Display *display, int x, int y)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
}

void
xtest_click(Display *display, unsigned int b)
{
    XTestFakeButtonEvent(display, b, True, CurrentTime);
    XTestFakeButtonEvent(display, b, False, CurrentTime);
    XSync(display, False);
}

void
xtest_button(Display *display, unsigned int b, bool down)
{
    XTestFakeButtonEvent(display, b, down ? True : False, CurrentTime);
    XSync(display, False);
}
