// The graph window: the network graph (cells and wires) and the attractor
// jump graph ("meta-graph") of a field or of the attractor histogram,
// counted, laid out and drawn over the current display, which it puts back
// when it closes.
#pragma once

#include "engine/graphs/graph_layouts.h"
#include "engine/graphs/jump_counting.h"

// Opens the graph of mode (engine/graphs/globals.h): graph_field after a
// field with meta_graph (a 0, types null), graph_attractors over the
// attractor histogram's types (a the number of types), graph_network over
// the cells (a 1 when a forward run wants the layout for its running
// pattern: on leaving, the positions go to stp_graph_layout and the sizes
// to stp_graph_node_size). Returns 1 when the user leaves the graph with
// 'q', 0 when the user stopped the counting with 'q' or the graph was
// refused (nothing drawn, the prompt area put back).
int meta_graph_table(int a, const attractor_types *types, char mode);

// The graph window's rectangle and centre for a graph of mode: below the
// menu's box and the set-up line its top would cut, above a rule readout of
// three lines, left of a side panel marked (side_panel.h) by the screen it
// opens over.
graph_frame graph_window_frame(char mode);
