// The end of a neutral-order field: the network back in place of the order
// space and the table of its component types, page by page.
#pragma once

// Restores the network buffers, sorts the component-type table by size,
// shows it in pages at the right of the window (with a window) and frees it.
void show_neutral_info();
// Left edge of the component table's box: vgax(120) from the window's
// right, further left where the widest line it can hold for a field of
// statespace + 1 orders (a prompt with its entry) needs it. Reads
// statespace and the font metrics in use; the same before the field as
// after it.
int component_table_left();
