// Graph layout files (*.grh): the positions of the open graph's nodes,
// basin_pos (engine/graphs), written whole or replaced by a file's; the
// byte layout is engine/storage/graph_layout_codec.h.
#pragma once
#include "engine/graphs/graph_layouts.h"

// Writes the positions of nodes 1..node_no to name; false (file error
// shown, 'q' in is[0]) when it could not be written.
bool save_graph_layout_file(const char *name);
// Reads name whole and, when it is exactly 4 node_no + 4 bytes long,
// replaces the positions of nodes 1..node_no with its own, those outside
// the graph window's frame placed inside it and a one-line box saying how
// many; any other file, or one that cannot be read, shows the file error
// ('q' in is[0]) and changes nothing.
bool load_graph_layout_file(const char *name, const graph_frame &frame);
// The layout file of the graph window in frame: key 's' saves, 'l' loads,
// through the file-name dialog ("GRAPH LAYOUT", "*.grh", default
// "my_grh"). Returns 1 after a load (the caller redraws), 0 when the user
// backed out of the load or the file was refused, 1 for anything else.
int save_load_graph_layout(char key, const graph_frame &frame);
