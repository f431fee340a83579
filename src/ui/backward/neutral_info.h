// The end of a neutral-order field: the network back in place of the order
// space and the table of its component types, page by page.
#pragma once

// Restores the network buffers, sorts the component-type table by size,
// shows it in pages at the right of the window (with a window) and frees it.
void show_neutral_info();
