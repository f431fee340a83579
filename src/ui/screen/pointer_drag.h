// Dragging with a mouse button held, after flashing_cursor returned its
// press: the pointer's motions until the button is released; and the
// pointer's shape after a wait that showed the left-pointing one.
#pragma once

// Waits for the next pointer motion or the release of the button pressed
// last; a motion updates mouse_x, mouse_y and returns true, the release
// returns false. Releases older than that press are passed over.
bool next_drag_motion();
// The right-pointing cursor shape again, as outside every wait's rectangle:
// a dialog that waited with a rectangle puts it back as it closes, since
// a later wait without one does not change the shape.
void restore_right_pointer();
