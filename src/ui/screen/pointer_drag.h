// Dragging with a mouse button held, after flashing_cursor returned its
// press: the pointer's motions until the button is released.
#pragma once

// Waits for the next pointer motion or the release of the button pressed
// last; a motion updates mouse_x, mouse_y and returns true, the release
// returns false. Releases older than that press are passed over.
bool next_drag_motion();
