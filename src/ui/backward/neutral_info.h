// The end of a neutral-order field: the network back in place of the order
// space and the table of its component types, page by page.
#pragma once

// Restores the network buffers, sorts the component-type table by size,
// shows it in pages at the right of the window (with a window) and frees it.
void show_neutral_info();
// Left edge of the component table's box: vgax(120) from the window's
// right, further left where its widest line (a prompt with its entry)
// needs it. Reads the counted table and the font metrics in use.
int component_table_left();
