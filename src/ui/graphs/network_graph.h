// The network graph: the cells as nodes, the wires as links.
#pragma once

// Lays out the network graph; with a = 1 fills stp_graph_layout and
// stp_graph_node_size for the graph-layout display of forward runs. Returns
// 0 when nothing was laid out.
int meta_graph_table(int a, int b, char kind);
