// Pointer motion while a button is held (pointer_drag.h), for the brush of
// the cell editor. Reads the press that ended the last wait from Event.
#include "ui/screen/pointer_drag.h"

#include "ui/screen/globals.h"
#include "ui/screen/x_state.h"

bool
next_drag_motion()
{
    Time pressed = Event.xbutton.time;
    XEvent e;
    for (;;) {
        // Xlib blocks on the connection here; no polling loop.
        XWindowEvent(D, W, PointerMotionMask | ButtonReleaseMask, &e);
        if (e.type == MotionNotify) {
            mouse_x = static_cast<int16_t>(e.xmotion.x);
            mouse_y = static_cast<int16_t>(e.xmotion.y);
            return true;
        }
        if (e.xbutton.time >= pressed)
            return false;
    }
}

void
restore_right_pointer()
{
    if (!mouse_found)
        return;
    XDefineCursor(D, W, rightCursor);
    inside_rect = 0;
}
